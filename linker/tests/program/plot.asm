; Bank 1: a routine that works on the fixed data.
EXTERN counter:BYTE

code SECTION BASEADDRESS:4000H LENGTH:8000H BANKNUMBER:1
text SEGMENT
plot PROC
        INC counter
        RTS
plot ENDP
text ENDSG
code ENDSC

PUBLIC plot
