# machine: demo
# A demonstration machine: Analyze lists every trace of the default items and
# deletes nothing, Run Cleaner deletes them, and a second Analyze finds no
# file left (the history entry that is first in the cache now is listed once
# as a temporary Internet file, as the cache view takes the first entry of a
# walk whatever its type). Under the results box, each run's time and totals.
start
click AnalyCom
print Text1
print Label12
click CleanCom
click Warning.OKButton
print Text1
print Label12
click AnalyCom
print Text1
print Label4
print Label12
unload
