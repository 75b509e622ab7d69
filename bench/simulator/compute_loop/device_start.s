; The device's start for the compute loop: no NMI, the loop, then a jump to
; itself with the checksum in A.

.import _main

.segment "VECTORS"
        .word ignore, start, ignore

.code
start:
        sei
        ldx #$FF
        txs
        lda #$10            ; $01 bit 4: no NMI
        sta $01
        jsr _main
done:   jmp done
ignore: rti
