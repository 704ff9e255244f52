# Left-out entries load as the control's read defaults.
get Zarn1.Enabled
get Zarn1.BgColor
get Zarn1.TextMaxLength
get Zarn1.FontName
get Zarn1.CalendarGridWidth
get Zarn1.WeekColumnWidth
get Zarn1.MinDate
get Zarn1.MaxDate
get Zarn1.Seperator
# Saved with every value and loaded again, nothing changes.
save saved.form
reload
get Zarn1.Enabled
get Zarn1.TextMaxLength
get Zarn1.FontName
get Zarn1.WeekColumnWidth
get Zarn1.MaxDate
