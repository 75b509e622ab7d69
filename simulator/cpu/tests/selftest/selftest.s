; CPU self-test ROM for the simulator's checked interpreter.
;
; Walks every valid opcode and addressing mode, the flag and decimal rules of
; the device's CPU and its addressing quirks, checking each result against the
; value written beside it. It ends in a loop at PASS ($FF00), or at FAIL
; ($FF10) with the number of the failing check in A (numbers count up from 1
; in source order; the build writes a listing beside the ROM to find them).
;
; Memory: ROM at $8000-$FFFF, zero-page data from $80, RAM data from $0200.
; $00-$3F are I/O latches (a store goes to the write latch, a load returns the
; read latch), $40-$7F the low block of internal RAM.

P_N = $80
P_V = $40
P_B = $10
P_D = $08
P_I = $04
P_Z = $02
P_C = $01

.zeropage
zp_a:       .res 1          ; $80
zp_b:       .res 1
zp_ptr:     .res 2          ; pointer to ram_data
zp_tab:     .res 8          ; small table for zp,X / zp,Y
zp_ptr2:    .res 2          ; pointer for (zp,X)
save_a:     .res 1
zp_m:       .res 1          ; memory operand in the zero page
zp_ind:     .res 2          ; -> ram_m, for (zp,X) with X = 2
zp_ind2:    .res 2          ; -> ram_table, for (zp),Y with Y = 3

.bss
ram_data:   .res 16         ; $0200
ram_table:  .res 16
brk_seen:   .res 1
scratch:    .res 16
ram_m:      .res 1          ; memory operand at an absolute address

.segment "RESULT"
PASS:   jmp PASS
        .res $10 - 3, $EA
FAIL:   jmp FAIL

.segment "VECTORS"
        .word nmi_handler
        .word reset
        .word brk_handler

; The device's host-queue opcodes.
.macro taq
        .byte $F2
.endmacro
.macro tqa
        .byte $F3
.endmacro
.macro btq
        .byte $F4
.endmacro

; ---------------------------------------------------------------------------
; Checking macros. Each check takes the next number.

check_id .set 0

.macro fail_here
check_id .set check_id + 1
        lda #check_id
        jmp FAIL
.endmacro

; Fails unless A equals `value`; keeps A and P.
.macro expect_a value
        .local ok
        php
        cmp #value
        beq ok
        fail_here
ok:     plp
.endmacro

; Fails unless P equals `value` in all eight bits; keeps A and P.
.macro expect_p value
        .local ok
        php
        sta save_a
        php
        pla
        cmp #value
        beq ok
        fail_here
ok:     lda save_a
        plp
.endmacro

; Fails unless the byte at `address` equals `value`.
.macro expect_mem address, value
        .local ok
        lda address
        cmp #value
        beq ok
        fail_here
ok:
.endmacro

; A = `ain` and P = `pin` (all eight bits) without one disturbing the other.
.macro load_ap ain, pin
        lda #pin
        pha
        lda #ain
        plp
.endmacro

; One immediate ALU operation and its result in A and P.
.macro alu op, pin, ain, m, aout, pout
        load_ap ain, pin
        op #m
        expect_p pout
        expect_a aout
.endmacro

; One ALU operation in each of its seven memory modes, on the operand `m`
; placed where each mode finds it (X = 2, Y = 3).
.macro alu_memory op, pin, ain, m, aout, pout
        lda #m
        sta zp_m
        sta zp_tab + 2
        sta ram_m
        sta ram_table + 2
        sta ram_table + 3
        ldx #2
        ldy #3
        load_ap ain, pin
        op zp_m
        expect_p pout
        expect_a aout
        load_ap ain, pin
        op zp_tab, x
        expect_p pout
        expect_a aout
        load_ap ain, pin
        op ram_m
        expect_p pout
        expect_a aout
        load_ap ain, pin
        op ram_table, x
        expect_p pout
        expect_a aout
        load_ap ain, pin
        op ram_table, y
        expect_p pout
        expect_a aout
        load_ap ain, pin
        op (zp_ind - 2, x)
        expect_p pout
        expect_a aout
        load_ap ain, pin
        op (zp_ind2), y
        expect_p pout
        expect_a aout
.endmacro

; A branch that must be taken with P = pin, and its opposite case.
.macro branch_taken op, pin
        .local ok
        load_ap 0, pin
        op ok
        fail_here
ok:
.endmacro

.macro branch_not_taken op, pin
        .local ok, bad
        load_ap 0, pin
        op bad
        jmp ok
bad:    fail_here
ok:
.endmacro

; ---------------------------------------------------------------------------
.code
reset:
        ldx #$FF
        txs
        cld

; --- binary ADC and SBC: N V Z C -------------------------------------------
        alu adc, $00, $50, $10, $60, $00
        alu adc, $00, $50, $50, $A0, P_N | P_V
        alu adc, $00, $FF, $01, $00, P_Z | P_C
        alu adc, $00, $80, $FF, $7F, P_V | P_C
        alu adc, P_C, $01, $01, $03, $00
        alu sbc, P_C, $50, $10, $40, P_C
        alu sbc, P_C, $50, $B0, $A0, P_N | P_V
        alu sbc, P_C, $00, $01, $FF, P_N
        alu sbc, $00, $10, $10, $FF, P_N

; --- decimal ADC and SBC: digit by digit, V always cleared -----------------
        alu adc, P_D, $09, $01, $10, P_D
        alu adc, P_D, $99, $01, $00, P_D | P_Z | P_C
        alu adc, P_D, $50, $50, $00, P_D | P_Z | P_C
        alu adc, P_D | P_V, $45, $40, $85, P_D | P_N
        alu adc, P_D | P_C, $58, $46, $05, P_D | P_C
        alu sbc, P_D | P_C, $10, $01, $09, P_D | P_C
        alu sbc, P_D | P_C, $00, $01, $99, P_D | P_N
        alu sbc, P_D | P_C, $46, $12, $34, P_D | P_C
        alu sbc, P_D, $40, $13, $26, P_D | P_C
        alu sbc, P_D | P_C | P_V, $01, $01, $00, P_D | P_Z | P_C

; --- logic, compares --------------------------------------------------------
        alu and, $00, $F0, $0F, $00, P_Z
        alu ora, $00, $01, $80, $81, P_N
        alu eor, P_C, $FF, $FF, $00, P_Z | P_C
        alu cmp, $00, $10, $10, $10, P_Z | P_C
        alu cmp, P_C, $0F, $10, $0F, P_N
        alu cmp, $00, $20, $10, $20, P_C

        ldx #$40
        cpx #$40
        expect_p P_Z | P_C
        cpx #$41
        expect_p P_N
        ldy #$05
        cpy #$01
        expect_p P_C

; BIT: N and V from memory, Z from A AND memory
        lda #$C0
        sta zp_a
        sta ram_data
        load_ap $3F, $00
        bit zp_a
        expect_p P_N | P_V | P_Z
        load_ap $40, P_C
        bit ram_data
        expect_p P_N | P_V | P_C

; --- the ALU operations in every memory mode ---------------------------------
        lda #<ram_m
        sta zp_ind
        lda #>ram_m
        sta zp_ind + 1
        lda #<ram_table
        sta zp_ind2
        lda #>ram_table
        sta zp_ind2 + 1
        alu_memory adc, P_C, $10, $22, $33, $00
        alu_memory sbc, P_C, $10, $22, $EE, P_N
        alu_memory and, $00, $F3, $3C, $30, $00
        alu_memory ora, $00, $00, $00, $00, P_Z
        alu_memory eor, $00, $0F, $FF, $F0, P_N
        alu_memory cmp, $00, $40, $40, $40, P_Z | P_C
        lda #$40
        sta zp_m
        sta ram_m
        ldx #$40
        cpx zp_m
        expect_p P_Z | P_C
        cpx ram_m
        expect_p P_Z | P_C
        ldy #$3F
        cpy zp_m
        expect_p P_N
        cpy ram_m
        expect_p P_N

; --- loads in every mode ------------------------------------------------------
        ldx #0
fill:   txa
        eor #$A5
        sta ram_table, x
        sta zp_tab, x
        inx
        cpx #8
        bne fill
        lda #<ram_table
        sta zp_ptr
        lda #>ram_table
        sta zp_ptr + 1
        lda #<(ram_table + 5)
        sta zp_ptr2
        lda #>(ram_table + 5)
        sta zp_ptr2 + 1

        lda zp_tab                  ; zp
        expect_a $A5
        ldx #3
        lda zp_tab, x               ; zp,X
        expect_a $A6
        lda ram_table               ; abs
        expect_a $A5
        lda ram_table, x            ; abs,X
        expect_a $A6
        ldy #7
        lda ram_table, y            ; abs,Y
        expect_a $A2
        ldx #zp_ptr2 - zp_tab
        lda (zp_tab, x)             ; (zp,X)
        expect_a $A0
        ldy #2
        lda (zp_ptr), y             ; (zp),Y
        expect_a $A7
        load_ap 0, $00
        lda #$80                    ; immediate, N
        expect_p P_N
        lda #0
        expect_p P_Z

        ldy #4
        ldx zp_tab, y               ; LDX zp,Y
        cpx #$A1
        bne ldx_bad
        ldx ram_table, y            ; LDX abs,Y
        cpx #$A1
        bne ldx_bad
        ldx zp_tab                  ; LDX zp
        cpx #$A5
        bne ldx_bad
        ldx ram_table + 1           ; LDX abs
        cpx #$A4
        bne ldx_bad
        ldx #6                      ; LDX #
        ldy zp_tab, x               ; LDY zp,X
        cpy #$A3
        bne ldx_bad
        ldy ram_table, x            ; LDY abs,X
        cpy #$A3
        bne ldx_bad
        ldy zp_tab + 2              ; LDY zp
        cpy #$A7
        bne ldx_bad
        ldy ram_table + 3           ; LDY abs
        cpy #$A6
        bne ldx_bad
        jmp stores
ldx_bad:
        fail_here

; --- stores in every mode -------------------------------------------------
stores:
        lda #$11
        sta scratch                 ; abs
        ldx #1
        lda #$22
        sta scratch, x              ; abs,X
        ldy #2
        lda #$33
        sta scratch, y              ; abs,Y
        lda #<(scratch + 3)
        sta zp_ptr2
        lda #>(scratch + 3)
        sta zp_ptr2 + 1
        ldx #zp_ptr2 - zp_tab
        lda #$44
        sta (zp_tab, x)             ; (zp,X)
        lda #<scratch
        sta zp_ptr
        lda #>scratch
        sta zp_ptr + 1
        ldy #4
        lda #$55
        sta (zp_ptr), y             ; (zp),Y
        ldx #5
        stx scratch + 5             ; STX abs
        ldy #6
        sty scratch + 6             ; STY abs
        expect_mem scratch, $11
        expect_mem scratch + 1, $22
        expect_mem scratch + 2, $33
        expect_mem scratch + 3, $44
        expect_mem scratch + 4, $55
        expect_mem scratch + 5, $05
        expect_mem scratch + 6, $06

        lda #$66
        sta zp_a                    ; STA zp
        ldx #1
        lda #$77
        sta zp_tab, x               ; STA zp,X
        ldx #$88
        stx zp_b                    ; STX zp
        ldy #2
        ldx #$99
        stx zp_tab, y               ; STX zp,Y
        ldy #$AA
        sty zp_tab + 3              ; STY zp
        ldx #4
        ldy #$BB
        sty zp_tab, x               ; STY zp,X
        expect_mem zp_a, $66
        expect_mem zp_tab + 1, $77
        expect_mem zp_b, $88
        expect_mem zp_tab + 2, $99
        expect_mem zp_tab + 3, $AA
        expect_mem zp_tab + 4, $BB

; --- read-modify-write in every mode --------------------------------------
        load_ap $81, $00
        asl a
        expect_p P_C
        expect_a $02
        load_ap $81, $00
        lsr a
        expect_p P_C
        expect_a $40
        load_ap $80, P_C
        rol a
        expect_p P_C
        expect_a $01
        load_ap $01, P_C
        ror a
        expect_p P_N | P_C
        expect_a $80

        lda #$40
        sta zp_a
        load_ap 0, $00
        asl zp_a                    ; zp
        expect_p P_N
        expect_mem zp_a, $80
        ldx #1
        lda #$01
        sta zp_tab + 1
        load_ap 0, $00
        lsr zp_tab, x               ; zp,X
        expect_p P_Z | P_C
        expect_mem zp_tab + 1, $00
        lda #$7F
        sta scratch
        load_ap 0, P_C
        rol scratch                 ; abs
        expect_p P_N
        expect_mem scratch, $FF
        lda #$02
        sta scratch + 1
        load_ap 0, P_C
        ror scratch, x              ; abs,X
        expect_p P_N
        expect_mem scratch + 1, $81

        lda #$FF
        sta scratch + 2
        load_ap 0, $00
        inc scratch + 2             ; abs
        expect_p P_Z
        expect_mem scratch + 2, $00
        ldx #2
        load_ap 0, $00
        dec scratch, x              ; abs,X
        expect_p P_N
        expect_mem scratch + 2, $FF
        lda #$7F
        sta zp_a
        inc zp_a                    ; zp
        expect_mem zp_a, $80
        ldx #1
        lda #$01
        sta zp_tab + 1
        dec zp_tab, x               ; zp,X
        expect_mem zp_tab + 1, $00
        inc zp_tab, x               ; zp,X
        expect_mem zp_tab + 1, $01
        dec zp_a                    ; zp
        expect_mem zp_a, $7F
        lda #$03
        sta scratch + 3
        ldx #3
        asl scratch + 3             ; abs
        asl scratch, x              ; abs,X
        lsr scratch + 3             ; abs
        lsr scratch, x              ; abs,X
        expect_mem scratch + 3, $03
        rol zp_a                    ; zp  ($7F, C from LSR = 0) -> $FE
        ror zp_a                    ; zp  -> $7F
        rol zp_tab, x               ; zp,X ($AA of the STY check) -> $54 C=1
        ror zp_tab, x               ; -> $AA
        expect_mem zp_a, $7F
        expect_mem zp_tab + 3, $AA
        rol scratch                 ; $FF, C=0 -> $FE, C=1
        ror scratch                 ; -> $FF, C=0
        expect_mem scratch, $FF
        lda #$81
        sta zp_m
        lsr zp_m                    ; LSR zp
        expect_mem zp_m, $40
        ldx #1
        asl zp_tab, x               ; ASL zp,X ($01) -> $02
        expect_mem zp_tab + 1, $02
        clc
        rol scratch, x              ; ROL abs,X ($81, C = 0) -> $02
        expect_mem scratch + 1, $02
        dec ram_m                   ; DEC abs ($40) -> $3F
        expect_mem ram_m, $3F
        inc scratch, x              ; INC abs,X -> $03
        expect_mem scratch + 1, $03

; --- registers, increments, flags ------------------------------------------
        load_ap $80, $00
        tax
        expect_p P_N
        tay
        lda #0
        txa
        expect_a $80
        lda #0
        tya
        expect_a $80
        load_ap $00, $00
        tax
        expect_p P_Z
        ldx #$FF
        inx
        expect_p P_Z
        dex
        expect_p P_N
        ldy #$7F
        iny
        expect_p P_N
        ldy #$01
        dey
        expect_p P_Z
        tsx
        stx zp_b
        ldx #$C0
        txs
        tsx
        cpx #$C0
        beq txs_ok
        fail_here
txs_ok: ldx #$80
        load_ap 0, $00
        txs                         ; TXS changes no flags
        expect_p $00
        ldx zp_b
        txs
        load_ap 0, P_N | P_V | P_D | P_I | P_Z | P_C
        clc
        cld
        cli
        clv
        expect_p P_N | P_Z
        sec
        sed
        sei
        expect_p P_N | P_D | P_I | P_Z | P_C
        nop
        cld

; --- branches ---------------------------------------------------------------
        branch_taken bcc, $00
        branch_taken bcs, P_C
        branch_taken beq, P_Z
        branch_taken bne, $00
        branch_taken bmi, P_N
        branch_taken bpl, $00
        branch_taken bvs, P_V
        branch_taken bvc, $00
        branch_not_taken bcc, P_C
        branch_not_taken bcs, $00
        branch_not_taken beq, $00
        branch_not_taken bne, P_Z
        branch_not_taken bmi, $00
        branch_not_taken bpl, P_N
        branch_not_taken bvs, $00
        branch_not_taken bvc, P_V
        ldx #3                      ; a backward branch
back:   dex
        bne back
        cpx #0
        beq back_ok
        fail_here
back_ok:

; --- stack: PHA PLA PHP PLP, P as stored ----------------------------------
        load_ap $5A, $00
        pha
        lda #0
        pla
        expect_p $00
        expect_a $5A
        load_ap $00, $00
        php                         ; B is not forced on
        pla
        expect_a $00
        lda #$FF
        pha
        plp                         ; all eight bits, B and bit 5 too
        php
        pla
        expect_a $FF
        lda #$80
        pha
        load_ap $00, $00
        pla                         ; PLA sets N and Z
        expect_p P_N
        expect_a $80

; --- JMP, JSR, RTS, RTI -----------------------------------------------------
        jmp jmp_abs_ok
        fail_here
jmp_abs_ok:
        ; the pointer of JMP (abs) at the last byte of a 256-byte page does not wrap
        lda #<jmp_ind_ok
        sta $02FF
        lda #>jmp_ind_ok
        sta $0300
        lda #>jmp_wrong
        sta $0200
        .byte $6C, $FF, $02         ; JMP ($02FF), spelled out: the assembler warns about it
jmp_wrong:
        fail_here
jmp_ind_ok:
        ; JMP ($3F): low byte from the write latch of $3F, high byte from $40
        lda #<jmp_latch_ok
        sta $3F
        lda #>jmp_latch_ok
        sta $40
        jmp ($003F)
        fail_here
jmp_latch_ok:
        ; (zp),Y with the pointer at $7F takes its high byte from $80
        lda #<ram_table
        sta $7F
        lda #>ram_table
        sta $80
        ldy #1
        lda ($7F), y
        expect_a $A4
        ; (zp,X) with the pointer at $3F: low byte from the latch, high from $40
        lda #<(ram_table + 2)
        sta $3F
        lda #>(ram_table + 2)
        sta $40
        ldx #$0F
        lda ($30, x)
        expect_a $A7
        ; abs,X past $FFFF wraps to the zero page
        lda #$3C
        sta $90
        ldx #$A0
        lda $FFF0, x
        expect_a $3C

        tsx
        stx zp_b
jsr_at: jsr subroutine
        jmp after_jsr
subroutine:
        tsx
        lda $0101, x
        cmp #<(jsr_at + 2)
        bne jsr_bad
        lda $0102, x
        cmp #>(jsr_at + 2)
        bne jsr_bad
        rts
jsr_bad:
        fail_here
after_jsr:
        tsx
        cpx zp_b
        beq rti_test
        fail_here

rti_test:
        lda #>rti_ok
        pha
        lda #<rti_ok
        pha
        lda #$FF & ~P_I & ~P_D
        pha
        rti
        fail_here
rti_ok: expect_p $FF & ~P_I & ~P_D

; --- BRK: pushes PC + 2 and P with B; P keeps B and gets I ----------------
        load_ap 0, $00
        brk
        .byte $EA                   ; skipped: BRK returns to its address + 2
        php
        lda brk_seen
        cmp #1
        beq brk_returned
        fail_here
brk_returned:
        pla
        expect_a $00                ; the flags before BRK, B cleared by the handler

; --- the host queue: TAQ, TQA, BTQ ------------------------------------------
        load_ap $77, $00
        btq                         ; room to the host, nothing from it
        expect_p P_Z | P_C
        tqa                         ; empty: C set, A kept
        expect_p P_Z | P_C
        expect_a $77
        load_ap 1, P_C
        taq
        expect_p $00
        lda #2
        taq
        lda #3
        taq
        lda #4
        taq
        lda #5
        taq
        expect_p $00
        lda #6
        taq                         ; full: C set, nothing put
        expect_p P_C
        btq
        expect_p P_Z

        jmp PASS

; ---------------------------------------------------------------------------
brk_handler:
        pla                         ; P as pushed
        pha
        cmp #P_B
        bne brk_bad
        php
        pla
        and #P_B | P_I
        cmp #P_B | P_I
        bne brk_bad
        lda #1
        sta brk_seen
        pla
        and #$FF & ~P_B             ; return with the flags the test set
        pha
        rti
brk_bad:
        fail_here

nmi_handler:
        fail_here
