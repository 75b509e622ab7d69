; Bank 0: the program's entry, calling into bank 1, a library and the kit library.
EXTERN draw:PROC, twice:PROC, kit_fill:PROC, counter:BYTE, result:BYTE

code SECTION BASEADDRESS:4000H LENGTH:8000H BANKNUMBER:0
text SEGMENT
main PROC
        LDA #0
        STA counter
        JSR draw        ; in bank 1: becomes a far call
        NOP
        NOP
        LDA #0
        JSR twice       ; pulled from util.lib into this bank
        NOP
        NOP
        STA result      ; 2
        LDA #20H
        JSR kit_fill    ; the kit library's copy in this bank
        NOP
        NOP
        RTS
main ENDP
text ENDSG
code ENDSC

PUBLIC main
