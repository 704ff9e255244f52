# The demo: two date pickers on a form, driven as a user would. Pictures of
# the form go to out/demo/.
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
# F4 opens the drop-down calendar (the host hears Click); Right and Enter
# pick the next day: Change, then CalendarChoose.
key F4
snapshot popup out/demo/02-calendar.png
key Right
key Enter
# The pointer over the drop-down button lights it; pressing it presses it.
mute MouseMove
mouse Zarn2 170 11
snapshot form out/demo/02-hover.png
press
snapshot form out/demo/03-pressed.png
# The release opens the calendar; Escape closes it and puts the value back.
release
key Escape
mouse form 300 110
unmute MouseMove
resize Zarn2 240 26
snapshot form out/demo/04-resized.png
# At design time a refused value is dropped; at run time it is an error.
mode design
snapshot form out/demo/05-design.png
set Zarn1.PValue "abcdefgh"
mode run
set Zarn1.PValue "abcdefgh"
set Zarn1.PValue "20261305"
set Zarn1.PValue "20261224"
# Saved and loaded again, the form comes back as it was.
save out/demo/demo.form
reload
snapshot form out/demo/06-reloaded.png
