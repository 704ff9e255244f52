# OLE drag and drop between the text boxes, with real input. Zarn1 drags
# its text by itself, Zarn2 takes a dropped date as its value, Zarn3 leaves
# drops to the host. The platform repeats its feedback and drag-over calls
# while the pointer rests: only changes are logged.
mute MouseMove
mute MouseOver
mute MouseOut
mute OLEGiveFeedback repeats
mute OLEDragOver repeats
echo a drag of Zarn1's date onto Zarn2 moves it there
set Zarn1.PValue "20261205"
shows Zarn1
mouse Zarn1 20 10
press
mouse Zarn1 40 12
wait 150
mouse Zarn2 30 10
wait 150
release
wait 150
shows Zarn2
echo the host decides at Zarn3: it reads the data, passes over, leaves and drops
within OLEDragOver Data.GetFormat 15
within OLEDragDrop Data.GetData 1
within OLEDragDrop Data.GetFormat 1
within OLEDragDrop Data.Files.Count
mouse Zarn1 20 10
press
mouse Zarn1 40 12
wait 150
mouse Zarn3 30 10
wait 150
mouse Zarn3 50 8
wait 150
mouse form 300 180
wait 150
mouse Zarn3 60 10
wait 150
release
wait 150
echo an answer of Effect 0 refuses the drop
answer OLEDragDrop Effect=0
mouse Zarn1 20 10
press
mouse Zarn1 40 12
wait 150
mouse Zarn3 30 10
wait 150
release
wait 150
answer OLEDragDrop
within OLEDragOver
within OLEDragDrop
mute OLEDragOver
echo OLEDrag from Zarn3 with data the host sets, onto Zarn2
within OLEStartDrag Data.SetData "20270301" 1
within OLEStartDrag Data.GetFormat 1
answer OLEStartDrag AllowedEffects=1
mouse Zarn3 20 10
press
call Zarn3.OLEDrag
wait 150
mouse Zarn2 30 10
wait 150
release
wait 150
shows Zarn2
get Zarn2.PValue
echo a text that is no date is refused
within OLEStartDrag
within OLEStartDrag Data.SetData "tomorrow"
answer OLEStartDrag
mouse Zarn3 20 10
press
call Zarn3.OLEDrag
wait 150
mouse Zarn2 30 10
wait 150
release
wait 150
get Zarn2.PValue
echo a host that allows nothing calls the drag off
answer OLEStartDrag AllowedEffects=0
call Zarn3.OLEDrag
