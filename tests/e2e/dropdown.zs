# The calendar under the control: a day clicked or Enter picks (Change,
# then CalendarChoose); anything else puts the value back.
mute MouseMove
mute MouseOver
mute MouseOut
mute MouseDown
mute KeyUp
echo the button; a click on the 14th
click Zarn1 150 10
bounds popup
click form 193 170
get Zarn1.PValue
echo F4, Right, Enter
key F4
key Right
key Enter
echo Alt+Down on the 31st, Page Down: the last of February
set Zarn1.PValue "20270131"
key alt+Down
key PageDown
key Enter
echo Home, then Enter
key F4
key Home
key Enter
echo End, then Enter
key F4
key End
key Enter
echo Left, then Escape
key F4
key Left
key Escape
echo a click outside
key F4
click form 380 300
echo the next month, then Escape
key F4
click form 253 55
key Escape
echo a day past MaxDate
set Zarn1.MaxDate 20270205
key F4
key PageDown
key Enter
get Zarn1.PValue
echo DropListEnabled False: only the host opens it
set Zarn1.DropListEnabled False
key F4
click Zarn1 150 10
call Zarn1.PiloCalendarshow 1
bounds popup
key Escape
echo the second control opens under itself
click Zarn2 150 10
bounds popup
key Escape
echo near the screen's bottom right: above the control, ending at the right edge
move form 860 700
key F4
bounds popup
key Escape
move form 40 40
echo SelectControl DateTextBox: no button, F4 still opens
set Zarn2.SelectControl 1
click Zarn2 150 10
key F4
bounds popup
key Escape
echo the form reloaded while the calendar is open
key F4
reload
bounds popup
