# Both controls are created, loaded and in-place active at their places.
bounds Zarn1
bounds Zarn2
# Value settings are shared: the control loaded last decides them.
get Zarn1.PValue
get Zarn1.MinDate
get Zarn2.Seperator
# The host hears of changes through events and change notification.
set Zarn1.PValue "20250315"
get Zarn2.PValue
set Zarn2.MinDate 19600101
get Zarn1.MinDate
call Zarn1.DateIsNull ""
call Zarn1.NoSuchMethod
