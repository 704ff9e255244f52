# F4 with any modifiers and Alt+Down open the calendar (Click), closed here
# with Escape, whose release the text box then reports; other
# keys are only reported, and the text box keeps its text whatever is typed.
mute MouseDown
mute Change
click Zarn1 10 8
unmute Change
key F4
key Escape
key shift+F4
key Escape
key ctrl+alt+F4
key Escape
key alt+Down
key Escape
key shift+alt+Down
key ctrl+Down
key Down
key End
key Backspace
key Delete
type "7!"
key ctrl+v
key shift+Insert
shows Zarn1
echo a host that turns every key into F4
answer KeyDown KeyCode=115
key a
key Escape
answer KeyDown
echo a plain date text box has no button but the same keys
click Zarn2 10 8
key alt+Down
key Escape
shows Zarn2
mouse Zarn2 150 10
click Zarn2 150 10
focused
