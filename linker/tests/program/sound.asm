; Bank 0: a routine that bank 1 calls back.
EXTERN greeting:BYTE

code SECTION BASEADDRESS:4000H LENGTH:8000H BANKNUMBER:0
text SEGMENT
beep PROC
        LDA greeting
        LDX #>greeting
        LDY #<greeting
        RTS
beep ENDP
text ENDSG
code ENDSC

PUBLIC beep
