# The first Run Cleaner of a machine shows the warning: Cancel cleans
# nothing, Ok lets the run through. Analyze never asks.
start
print Form1.caption
click AnalyCom
print Text1
click CleanCom
print Warning.caption
print Warning.Check1
print Warning.OKButton.caption
# The main window waits for the warning.
print Form1.enabled
click Warning.Command1
print Warning.visible
print Form1.enabled
click CleanCom
click Warning.OKButton
print Warning.visible
print Text1
unload
