# The page buttons, the item sets and the tab strips show their parts; what
# another page holds is out of reach.
start
print Cleaner.visible
click Command4
print idat.visible
print SysTemp.visible
print Command5.caption
click Command5
print SysTemp.visible
click ot2
print Options.visible
print Cleaner.visible
print TabStrip3.count
print TabStrip3
tab TabStrip3 Advanced
print AdvO.visible
print CleanO.visible
print Check10
click at2
print TabStrip2.count
tab TabStrip2 Internet
print IE.visible
print Appl.visible
click ct2
print Cleaner.visible
click DClean
