set Zarn1.PValue "20270101"
get Zarn1.PValue
