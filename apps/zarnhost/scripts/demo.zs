# The demo: two date pickers on a form, driven as a user would. Pictures of
# the form and of the drop-down calendar go to out/demo/.
echo Two Zarn2 date pickers on a form; the log shows what the host sees.
snapshot form out/demo/01-form.png
# A new control has no icon for its button; without one it shows an arrow.
set Zarn2.ShowIcon False
# Value settings are shared by the controls of a thread.
get Zarn1.PValue
set Zarn1.PValue "20261224"
get Zarn2.PValue
# Into the first text box with a click, on to the second with Tab.
click Zarn1 12 8
focused
key Tab
focused
# Keys typed into a text box are reported, then dropped.
type "7"
# F4 opens the drop-down calendar under the control (the host hears Click).
key F4
snapshot popup out/demo/02-calendar.png
# The pointer over a day marks it; only a click or Enter picks a day.
mute MouseMove
mouse form 197 227
snapshot popup out/demo/03-hover.png
# Right and Enter pick the next day: Change, then CalendarChoose.
key Right
key Enter
# Alt+Down opens it again; a click on a day picks that day.
key alt+Down
click form 167 227
get Zarn2.PValue
# The pointer over the drop-down button lights it; pressing it presses it.
mouse Zarn2 170 11
snapshot form out/demo/04-hover.png
press
snapshot form out/demo/05-pressed.png
# The release opens the calendar; Escape closes it and puts the value back.
release
key Escape
# The first control's calendar opens under it; a click outside closes it
# and keeps the value.
click Zarn1 170 11
snapshot popup out/demo/06-calendar.png
click form 340 12
get Zarn1.PValue
mouse form 300 110
unmute MouseMove
resize Zarn2 240 26
snapshot form out/demo/07-resized.png
# At design time a refused value is dropped; at run time it is an error.
mode design
snapshot form out/demo/08-design.png
set Zarn1.PValue "abcdefgh"
mode run
set Zarn1.PValue "abcdefgh"
set Zarn1.PValue "20261305"
set Zarn1.PValue "20261224"
# Saved and loaded again, the form comes back as it was.
save out/demo/demo.form
reload
snapshot form out/demo/09-reloaded.png
