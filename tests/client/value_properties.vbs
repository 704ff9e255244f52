' A script client of the registered control, by ProgID and late binding:
' the values' types by TypeName, run-time errors by Err, methods with
' arguments by reference, two controls sharing their value. Prints each
' failed check and ends with "N passed, N failed", its exit code.
Option Explicit
On Error Resume Next

Dim passed, failed
passed = 0
failed = 0

' Any error still pending is a failure of the step that caused it.
Function Pending(what)
    Pending = (Err.Number <> 0)
    If Pending Then
        failed = failed + 1
        WScript.Echo "FAILED: " & what & ": error " & Err.Number & " (" & Err.Source & ": " & Err.Description & ")"
        Err.Clear
    End If
End Function

Sub Expect(actual, expected, what)
    If Pending(what) Then Exit Sub
    If TypeName(actual) = TypeName(expected) And actual = expected Then
        passed = passed + 1
    Else
        failed = failed + 1
        WScript.Echo "FAILED: " & what & ": got " & TypeName(actual) & " " & actual & _
                     ", expected " & TypeName(expected) & " " & expected
    End If
End Sub

' Source Empty: any source will do.
Sub ExpectError(number, source, what)
    If Err.Number = number And (IsEmpty(source) Or Err.Source = source) Then
        passed = passed + 1
    Else
        failed = failed + 1
        WScript.Echo "FAILED: " & what & ": error " & Err.Number & " from """ & Err.Source & """, expected " & _
                     number & " from """ & source & """"
    End If
    Err.Clear
End Sub

Function TodayText()
    TodayText = Year(Date) & Right("0" & Month(Date), 2) & Right("0" & Day(Date), 2)
End Function

Dim z, other, v, button, shift, x, y
Set z = CreateObject("Zarn2.Zarn")
If Not Pending("CreateObject(""Zarn2.Zarn"")") Then
    ' PValue: a text stays a String, a number a Long; today is a String.
    v = Empty: v = z.PValue
    Expect v, TodayText(), "initial PValue"
    z.PValue = 20240229
    v = Empty: v = z.PValue
    Expect v, 20240229, "PValue = 20240229"
    z.PValue = "20240315"
    v = Empty: v = z.PValue
    Expect v, "20240315", "PValue = ""20240315"""

    ' Values the setter cannot read fail with error 382 and change nothing.
    z.PValue = "abcdefgh"
    ExpectError 382, "piloCal_Ctl:_PValue", "PValue = ""abcdefgh"""
    z.PValue = Null
    ExpectError 382, "piloCal_Ctl:_PValue", "PValue = Null"
    v = Empty: v = z.PValue
    Expect v, "20240315", "PValue after the failures"

    ' The date range is Long, TextMaxLength an Integer that overflows, the
    ' colours numbers and the flags Booleans.
    Expect z.MinDate, 19010101, "initial MinDate"
    Expect z.TextMaxLength, 0, "initial TextMaxLength"
    z.TextMaxLength = 40000
    ExpectError 6, Empty, "TextMaxLength = 40000"
    Expect CLng(z.BgColor), &HFFFFFF, "BgColor"
    Expect z.Text_Locked, False, "Text_Locked"
    Expect z.CalendarFirstDayOfWeek, CLng(1), "CalendarFirstDayOfWeek"

    ' A script hands its variables by value to arguments typed by
    ' reference, each in its own parentheses; the hover check (with a
    ' pointer far outside) answers Empty.
    button = 1: shift = 0: x = 500: y = 500
    v = Null: v = z.UserControl_MouseOut((button), (shift), (x), (y))
    Expect IsEmpty(v), True, "UserControl_MouseOut answers Empty"
    Expect x, 500, "the script's X stays as it was"
    z.DrawControl 1
    Pending "DrawControl 1"

    ' A second control of the script shares the value once it is in use.
    Set other = CreateObject("Zarn2.Zarn")
    v = Empty: v = other.PValue
    Expect v, TodayText(), "second control's first PValue"
    z.PValue = "20240315"
    v = Empty: v = other.PValue
    Expect v, "20240315", "second control sees the first one's PValue"
    Set other = Nothing
    Set z = Nothing
    Pending "releasing the controls"
End If
WScript.Echo passed & " passed, " & failed & " failed"
WScript.Quit failed
