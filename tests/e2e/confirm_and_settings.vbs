# "Confirm Before Deletion" asks before the run; "Do Not Show Me This
# Message Again" keeps the warning away. Both stay for the next start.
start
tick CBD
click CleanCom
tick Warning.Check1
answer no
click Warning.OKButton
print Text1
unload
start
print CBD.value
answer yes
click CleanCom
print Text1
untick CBD
unload
start
print CBD.value
