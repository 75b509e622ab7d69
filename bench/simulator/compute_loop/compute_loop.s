; A compute loop for measuring interpreters: adds, shifts, indexed loads and
; stores, branches and a subroutine, about 75 million instructions and no I/O.
; _main returns a checksum of the work in A, so runs can be compared.

.export _main

ROUNDS = 19500              ; times round the 256-byte table

.zeropage
sum:        .res 2
high:       .res 1
rounds:     .res 2

.bss
copy:       .res 256

.rodata
table:
.repeat 256, i
        .byte (i * 37 + 11) & $FF
.endrepeat

.code
_main:
        lda #0
        sta sum
        sta sum+1
        sta high
        lda #<ROUNDS
        sta rounds
        lda #>ROUNDS
        sta rounds+1
round:
        ldx #0
step:
        lda table,x         ; indexed load
        clc
        adc sum
        sta sum
        asl a               ; shifts
        rol high
        lsr a
        sta copy,x          ; indexed store
        jsr mix
        inx
        bne step
        lda rounds          ; 16-bit count down
        bne :+
        dec rounds+1
:       dec rounds
        bne round
        lda rounds+1
        bne round
        lda sum
        eor high
        eor sum+1
        ldx #0
        rts

mix:
        lda sum+1
        adc copy,x
        sta sum+1
        rts
