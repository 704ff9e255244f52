# The drop-down button opens the calendar on a release inside it, wherever
# the press was; a press inside released outside does nothing. Escape
# closes the calendar each time.
mute MouseMove
mute MouseOver
mute MouseOut
click Zarn1 150 10
key Escape
echo pressed inside, released outside
mouse Zarn1 150 10
press
mouse Zarn1 150 60
release
echo pressed on the frame, released inside
mouse Zarn1 1 1
press
mouse Zarn1 150 10
release
key Escape
echo right button
click Zarn1 150 10 right
key Escape
echo pressed in the text box, released inside the button: the box holds the mouse
echo while it selects, so the button never hears the release
mouse form 5 5
mouse Zarn1 60 10
press
mouse Zarn1 150 10
release
