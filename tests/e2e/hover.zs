# The pointer over the control: each move inside raises MouseMove and one
# MouseOver, two over the drop-down button; the first position outside
# raises MouseOut once with that position, and the control lets the pointer
# go. No MouseUp is ever raised.
mouse form 5 5
mouse Zarn1 1 1
mouse Zarn1 150 10
# Over the text box the control still hears the pointer: it holds the capture.
mouse Zarn1 60 10
mouse Zarn1 160 21
mouse Zarn1 170 30
mouse form 250 90
mouse Zarn1 150 10
mouse form 5 5
