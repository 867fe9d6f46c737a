# /AUTO runs one clean while hidden and ends the program; started again, the
# window shows. "Close After Cleaning" ends the program after a run.
start /AUTO
start
print Form1.visible
tick CAC
click CleanCom
click Warning.OKButton
start
print CAC.value
untick CAC
unload
