; The program's fixed data: a variable and initialised bytes.
global SECTION BASEADDRESS:1AC0H LENGTH:2000H BANKNUMBER:0
vars SEGMENT
counter DB 0
result  DB 0
echo    DB 0
vars ENDSG
init_data SEGMENT
greeting DB "HI", 0
pointer  DW counter
init_data ENDSG
global ENDSC

PUBLIC counter, result, echo, greeting, pointer
