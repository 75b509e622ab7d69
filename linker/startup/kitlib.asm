; The kit's default library: small memory routines every program may call.
; They take their operands in the kit's zero-page scratch pointers (the ones
; reset uses before the program starts) and live in a "library" section, so
; the linker places a copy in every bank that needs none of farcall.
;
;   kit_fill  stores A into KIT_LEFT bytes from (KIT_DST) on
;   kit_copy  copies KIT_LEFT bytes from (KIT_SRC) to (KIT_DST), lowest first
; Both leave the pointers behind the bytes they handled and KIT_LEFT at 0.

KIT_SRC     EQU 70H
KIT_DST     EQU 72H
KIT_LEFT    EQU 74H

library SECTION BASEADDRESS:4000H LENGTH:8000H BANKNUMBER:0
code SEGMENT
kit_fill PROC
        LDY #0
fill:   LDX KIT_LEFT
        BNE store
        LDX KIT_LEFT+1
        BEQ filled
        DEC KIT_LEFT+1
store:  DEC KIT_LEFT
        STA (KIT_DST),Y
        INC KIT_DST
        BNE fill
        INC KIT_DST+1
        JMP fill
filled: RTS
kit_fill ENDP

kit_copy PROC
        LDY #0
more:   LDX KIT_LEFT
        BNE move
        LDX KIT_LEFT+1
        BEQ copied
        DEC KIT_LEFT+1
move:   DEC KIT_LEFT
        LDA (KIT_SRC),Y
        STA (KIT_DST),Y
        INC KIT_SRC
        BNE next
        INC KIT_SRC+1
next:   INC KIT_DST
        BNE more
        INC KIT_DST+1
        JMP more
copied: RTS
kit_copy ENDP
code ENDSG
library ENDSC

PUBLIC kit_fill, kit_copy
