# What the control saved comes back as it was: its values with their
# types, a picture among them.
get Zarn1.Icon
get Zarn1.MinDate
get Zarn1.Seperator
get Zarn1.CalendarGridWidth
# Loading a saved form and saving it again gives the same file.
save saved.form
compare persistence.form saved.form
reload
save again.form
compare saved.form again.form
# Saving without a name writes the file the form last went to.
set Zarn1.PValue "20301231"
save
print again.form
