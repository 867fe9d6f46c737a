# machine: demo
# The Tools page: the diagnostics report of the demonstration machine, the
# Startup list with one of its entries removed, the Windows tools and the web
# links started through the machine (recorded, not run), and the About window.
start
click tt2
print DXDiag.enabled
click Diag
print Diagnostics.Text1
print Form1.enabled
click Diagnostics.Command1
print Form1.enabled
click Start
print Startup.ListView2
print Startup.ListView1
print Startup.ListView3
choose Startup.ListView1 CTFMON.EXE
print Startup.Command1.enabled
answer yes
click Startup.Command1
print Startup.ListView1
print Startup.Command1.enabled
click Startup.Command2
click CPrompt
click RegEdit
click Command3
click Command2
print frmAbout.Label3
print frmAbout.Label8
click frmAbout.Label7
click frmAbout.Command3
unload
start
click tt2
click Start
print Startup.ListView1
click Startup.Command2
unload
