; Bank 1: calls its neighbour in the same bank and a routine of bank 0.
EXTERN plot:PROC, beep:PROC, kit_fill:PROC, echo:BYTE

code SECTION BASEADDRESS:4000H LENGTH:8000H BANKNUMBER:1
text SEGMENT
draw PROC
        JSR plot        ; same bank: stays a plain call
        NOP
        NOP
        JSR beep        ; bank 0: becomes a far call
        NOP
        NOP
        STA echo        ; what beep returned in A
        JSR kit_fill    ; the kit library's copy in this bank
        NOP
        NOP
        RTS
draw ENDP
text ENDSG
code ENDSC

PUBLIC draw
