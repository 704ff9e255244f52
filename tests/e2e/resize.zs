bounds Zarn1
resize Zarn1 260 30
bounds Zarn1
# The text box now reaches where the control did not before.
click Zarn1 200 12
focused
resize Zarn1 120 21
bounds Zarn1
# The new size is saved with the form.
save resized.form
reload
bounds Zarn1
