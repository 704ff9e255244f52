# In run mode the control reports a value it refuses as a run-time error.
set Zarn1.PValue "abcdefgh"
get Zarn1.PValue
# In design mode it drops the error.
mode design
set Zarn1.PValue "abcdefgh"
get Zarn1.PValue
snapshot form design.png
mode run
set Zarn1.PValue "abcdefgh"
# An impossible date is told in a message box, which the host records.
set Zarn1.PValue "20261305"
get Zarn1.PValue
