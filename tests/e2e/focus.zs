# Nothing has the focus but the form itself at first.
focused
# A click into the text box makes the control UI-active with the focus.
click Zarn1 10 8
focused
# Tab and Shift+Tab move along the controls in the form's order, round.
key Tab
focused
key Tab
focused
key shift+Tab
focused
# A click on the form's own surface takes the focus from the controls.
click form 300 110
focused
key Tab
focused
# The host gives a control the focus (UI activation) without input.
focus Zarn2
focused
