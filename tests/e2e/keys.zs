# Keys typed into the text box reach the host as events and are then
# discarded; what a host handler writes into KeyCode or KeyAscii is what
# the control goes on with, and it too types nothing into the box.
mute Change
click Zarn1 10 8
unmute Change
key a
answer KeyDown KeyCode=0
key F4
answer KeyDown
answer KeyPress KeyAscii=66
key c
answer KeyPress
shows Zarn1
focused
