; A library member: twice calls add_one of the same member, which is pulled with it.
code SECTION BASEADDRESS:4000H LENGTH:8000H BANKNUMBER:0
text SEGMENT
twice PROC
        JSR add_one
        NOP
        NOP
        JSR add_one
        NOP
        NOP
        RTS
twice ENDP
add_one PROC
        CLC
        ADC #1
        RTS
add_one ENDP
spare PROC
        RTS
spare ENDP
text ENDSG
code ENDSC

PUBLIC twice, add_one, spare
