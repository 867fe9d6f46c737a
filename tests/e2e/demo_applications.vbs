# machine: demo
# The catalogue on a demonstration machine: the lists show what is installed
# with the stored marks; with only "Third Party Applications" ticked, Analyze
# lists the checked entries' files, Run Cleaner deletes them, and a second
# Analyze lists none of them. The marks survive the runs and a restart.
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
print Appl
print Appl.checked
tab TabStrip2 Internet
print IE.checked
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
tab TabStrip2 Windows
print Win
print Win.checked
unload
