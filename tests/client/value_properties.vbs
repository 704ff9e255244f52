' A script client of the registered control: creates it by ProgID and uses
' the value properties as a VBScript program sees them (types by TypeName,
' run-time errors by Err). Prints each failed check and ends with
' "N passed, N failed"; the exit code is the number of failures.
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

Sub Finish()
    WScript.Echo passed & " passed, " & failed & " failed"
    WScript.Quit failed
End Sub

Function TodayText()
    TodayText = Year(Date) & Right("0" & Month(Date), 2) & Right("0" & Day(Date), 2)
End Function

Dim z, other, v
Set z = CreateObject("Zarn2.Zarn")
If Pending("CreateObject(""Zarn2.Zarn"")") Then Finish

' PValue: a text stays a text, a number stays a number; anything not
' eight characters long becomes today's date as text.
v = Empty: v = z.PValue
Expect v, TodayText(), "initial PValue"
z.PValue = "20240229"
v = Empty: v = z.PValue
Expect v, "20240229", "PValue = ""20240229"""
z.PValue = 20240229
v = Empty: v = z.PValue
Expect TypeName(v), "Long", "TypeName(PValue) after PValue = 20240229"
Expect v, 20240229, "PValue = 20240229"
z.PValue = "00000000"
v = Empty: v = z.PValue
Expect v, 20240229, "PValue = ""00000000"" leaves the value"
z.PValue = "1234567"
v = Empty: v = z.PValue
Expect v, TodayText(), "PValue = ""1234567"""
z.PValue = 20240301
z.PValue = ""
v = Empty: v = z.PValue
Expect v, TodayText(), "PValue = """""
z.PValue = 20240301
z.PValue = Empty
v = Empty: v = z.PValue
Expect v, TodayText(), "PValue = Empty"

' Values the setter cannot read fail with error 382 and change nothing.
z.PValue = "20240315"
Err.Clear
z.PValue = "abcdefgh"
ExpectError 382, "piloCal_Ctl:_PValue", "PValue = ""abcdefgh"""
v = Empty: v = z.PValue
Expect v, "20240315", "PValue after ""abcdefgh"""
z.PValue = Null
ExpectError 382, "piloCal_Ctl:_PValue", "PValue = Null"
v = Empty: v = z.PValue
Expect v, "20240315", "PValue after Null"

' MinDate and MaxDate keep 1900 <= MinDate < MaxDate <= 20991231.
Expect z.MinDate, 19010101, "initial MinDate"
Expect z.MaxDate, 20991231, "initial MaxDate"
z.MaxDate = 21000101
Expect z.MaxDate, 20991231, "MaxDate = 21000101 is ignored"
z.MinDate = 18991231
Expect z.MinDate, 19010101, "MinDate = 18991231 is ignored"
z.MinDate = 19000101
Expect z.MinDate, 19000101, "MinDate = 19000101"
z.MaxDate = 19000101
Expect z.MaxDate, 20991231, "MaxDate equal to MinDate is ignored"
z.MaxDate = 20501231
Expect z.MaxDate, 20501231, "MaxDate = 20501231"
z.MinDate = 20501231
Expect z.MinDate, 19000101, "MinDate equal to MaxDate is ignored"
v = Empty: v = z.PValue
Expect v, "20240315", "PValue after the range changed"

' Seperator: one of / - \ : and not the placeholder. PlaceHolder: one of
' _ # - and the blank, checked only against itself.
Expect z.Seperator, "/", "initial Seperator"
Expect z.PlaceHolder, "_", "initial PlaceHolder"
z.Seperator = "."
Expect z.Seperator, "/", "Seperator = ""."" is ignored"
z.Seperator = "//"
Expect z.Seperator, "/", "Seperator = ""//"" is ignored"
z.Seperator = "-"
Expect z.Seperator, "-", "Seperator = ""-"""
z.PlaceHolder = "-"
Expect z.PlaceHolder, "-", "PlaceHolder = ""-"" while the separator is ""-"""
z.Seperator = ":"
Expect z.Seperator, ":", "Seperator = "":"""
z.Seperator = "-"
Expect z.Seperator, ":", "Seperator equal to the placeholder is ignored"
z.PlaceHolder = "x"
Expect z.PlaceHolder, "-", "PlaceHolder = ""x"" is ignored"
z.PlaceHolder = " "
Expect z.PlaceHolder, " ", "PlaceHolder = "" """

' AllowNull with a value set changes nothing else.
Expect z.AllowNull, True, "initial AllowNull"
z.AllowNull = False
Expect z.AllowNull, False, "AllowNull = False"
v = Empty: v = z.PValue
Expect v, "20240315", "PValue after AllowNull = False"
z.AllowNull = True
Expect z.AllowNull, True, "AllowNull = True"

' TextMaxLength is an Integer.
Expect z.TextMaxLength, 0, "initial TextMaxLength"
z.TextMaxLength = 10
Expect z.TextMaxLength, 10, "TextMaxLength = 10"
Expect TypeName(z.TextMaxLength), "Integer", "TypeName(TextMaxLength)"
z.TextMaxLength = 40000
ExpectError 6, Empty, "TextMaxLength = 40000"
Expect z.TextMaxLength, 10, "TextMaxLength after 40000"

' The text box's own states.
z.Text_Enabled = False
Expect z.Text_Enabled, False, "Text_Enabled = False"
z.Text_Enabled = True
Expect z.Text_Enabled, True, "Text_Enabled = True"
z.Text_Locked = True
Expect z.Text_Locked, True, "Text_Locked = True"
z.Text_Locked = False
Expect z.Text_Locked, False, "Text_Locked = False"

' Enabled greys the face and locks the text box; enabling again leaves
' white, whatever colours were set before.
z.BgColor = &H123456
z.ButtonBgColor = &H654321
z.Enabled = False
Expect z.Enabled, False, "Enabled = False"
Expect CLng(z.BgColor), &HE0E0E0, "BgColor after Enabled = False"
Expect CLng(z.ButtonBgColor), &HE0E0E0, "ButtonBgColor after Enabled = False"
Expect z.Text_Enabled, False, "Text_Enabled after Enabled = False"
Expect z.Text_Locked, True, "Text_Locked after Enabled = False"
z.Enabled = True
Expect z.Enabled, True, "Enabled = True"
Expect CLng(z.BgColor), &HFFFFFF, "BgColor after Enabled = True"
Expect CLng(z.ButtonBgColor), &HFFFFFF, "ButtonBgColor after Enabled = True"
Expect z.Text_Enabled, True, "Text_Enabled after Enabled = True"
Expect z.Text_Locked, False, "Text_Locked after Enabled = True"

' CalendarFirstDayOfWeek takes 1 to 7 only.
Expect z.CalendarFirstDayOfWeek, CLng(1), "initial CalendarFirstDayOfWeek"
z.CalendarFirstDayOfWeek = 3
Expect z.CalendarFirstDayOfWeek, CLng(3), "CalendarFirstDayOfWeek = 3"
z.CalendarFirstDayOfWeek = 0
Expect z.CalendarFirstDayOfWeek, CLng(3), "CalendarFirstDayOfWeek = 0 is ignored"
z.CalendarFirstDayOfWeek = 8
Expect z.CalendarFirstDayOfWeek, CLng(3), "CalendarFirstDayOfWeek = 8 is ignored"

' The face's methods through late binding: any state may be drawn, and the
' hover check (with a pointer far outside) answers Empty. A script can only
' hand over its variables by value to arguments typed by reference, so each
' goes in its own parentheses.
Dim button, shift, x, y
z.DrawControl 1
Pending "DrawControl 1"
z.DrawControl 99
Pending "DrawControl 99"
z.RefreshControl
Pending "RefreshControl"
button = 1: shift = 0: x = 500: y = 500
v = Null: v = z.UserControl_MouseOut((button), (shift), (x), (y))
Expect IsEmpty(v), True, "UserControl_MouseOut answers Empty"
Expect x, 500, "the script's X stays as it was"

' A second control of the script shares the value once it is in use.
Set other = CreateObject("Zarn2.Zarn")
v = Empty: v = other.PValue
Expect v, TodayText(), "second control's first PValue"
z.PValue = "20240315"
v = Empty: v = other.PValue
Expect v, "20240315", "second control sees the first one's PValue"
Expect other.Seperator, "/", "second control keeps its own Seperator"

Set other = Nothing
Set z = Nothing
Pending "releasing the controls"
Finish
