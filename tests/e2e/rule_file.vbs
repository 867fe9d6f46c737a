# machine: demo
# Entries of a rule file in the program folder (rule_file.drive_c): listed
# among the built-in entries of their lists, checked, analysed and cleaned
# after the built-in rows of their list, with an excluded file kept, a
# refused line (the Desktop) cleaning nothing, an entry whose one line cannot
# be read not listed, and the marks surviving the runs and a restart.
start
untick SysTemp
untick ietemp
untick Cook
untick rdocs
untick RBin
click Command4
untick ExMRUs
untick ieurlhist
click Command5
click at2
rightclick Appl
click dall
check Appl Aardvark Notes
check Appl Google Earth
print Appl
tab TabStrip2 Windows
check Win Zebra Paint
print Win
tab TabStrip2 Utilities
print Util
click ct2
click AnalyCom
print Text1
click CleanCom
click Warning.OKButton
print Text1
click AnalyCom
print Text1
unload
start
click at2
print Appl.checked
tab TabStrip2 Windows
print Win.checked
unload
