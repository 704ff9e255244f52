' Run after the installer, in a prefix where nothing else registered the
' control: creating it by its ProgID proves the installer's registration.
Set picker = CreateObject("Zarn2.Zarn")
picker.PValue = "20261205"
WScript.Echo "created " & TypeName(picker) & ", PValue " & picker.PValue
