# F4 with any modifiers and Alt+Down ask for the calendar (Click); other
# keys are only reported, and the text box keeps its text whatever is typed.
mute MouseDown
mute Change
click Zarn1 10 8
unmute Change
key F4
key shift+F4
key ctrl+alt+F4
key alt+Down
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
answer KeyDown
echo a plain date text box has no button but the same keys
click Zarn2 10 8
key alt+Down
shows Zarn2
mouse Zarn2 150 10
click Zarn2 150 10
focused
