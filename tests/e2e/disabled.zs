# A disabled control hears nothing from the user: no hover, no clicks, no
# keys, and it cannot take the focus.
set Zarn1.Enabled False
mouse form 5 5
mouse Zarn1 1 1
mouse Zarn1 150 10
click Zarn1 150 10
click Zarn1 10 8
key F4
focused
mouse form 5 5
echo enabled again, it hears everything
set Zarn1.Enabled True
mute Change
click Zarn1 150 10
key Escape
key F4
key Escape
