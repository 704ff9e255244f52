# A quit posted while the calendar is open: the calendar closes and puts the
# value back, then the host's own loop ends; nothing after the quit runs.
mute MouseMove
mute MouseOver
mute MouseOut
mute MouseDown
click Zarn1 150 10
bounds popup
quit
echo not reached
