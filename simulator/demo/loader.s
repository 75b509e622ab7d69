; The device-side download loader ("dl.ini"): 4096 bytes that the simulator
; places at $3000 and enters with the interrupted program's PC saved. It takes
; the download record (trap $4B), then the file a 256-byte block at a time
; (trap $53), and programs it into the flash of the external RAM from slot 0
; on: file offset f goes to slot f / 32 KB at offset f mod 32 KB. Each 4 KB
; sector is erased before its first byte is programmed. At the end it maps
; the ROM back, restores the registers and ends the download (trap $5B).
        .setcpu "6502"

POINTER  = $A4          ; where the next trap transfer lands
RECORD   = $2E00        ; the 72-byte download record
BLOCK    = $2F00        ; one block of the file
REMAIN   = $B0          ; bytes still to program, 24 bits
OFFSET   = $B3          ; file offset of BLOCK, 24 bits
DEST     = $B6          ; CPU address of the block in the slot's window
LIMIT    = $B8          ; bytes of this block to program (0 = 256)

BANK     = $00          ; window bank: the slot
WINDOW   = $0A          ; bit 7: external RAM at $4000-$BFFF
FLASH1   = $5555        ; slot offset $5555
FLASH2   = $AAAA        ; slot offset $2AAA

.macro trap code
        .byte code
.endmacro

.macro unlock
        lda #$AA
        sta FLASH1
        lda #$55
        sta FLASH2
.endmacro

.segment "CODE"

entry:  php
        pha
        txa
        pha
        tya
        pha
        sei
        cld

        lda #<RECORD
        sta POINTER
        lda #>RECORD
        sta POINTER+1
        trap $4B
        lda RECORD+5
        sta REMAIN
        lda RECORD+6
        sta REMAIN+1
        lda RECORD+7
        sta REMAIN+2
        lda #0
        sta OFFSET
        sta OFFSET+1
        sta OFFSET+2
        lda #$80
        sta WINDOW

next_block:
        lda REMAIN
        ora REMAIN+1
        ora REMAIN+2
        bne @fetch
        jmp finish
@fetch: lda #<BLOCK
        sta POINTER
        lda #>BLOCK
        sta POINTER+1
        trap $53

        ; slot = offset >> 15
        lda OFFSET+1
        asl a
        lda OFFSET+2
        rol a
        sta BANK
        ; slot offsets $4000-$7FFF show at $4000, $0000-$3FFF at $8000
        lda OFFSET+1
        and #$7F
        cmp #$40
        bcs @upper
        ora #$80
@upper: sta DEST+1
        lda #0
        sta DEST

        ; a new 4 KB sector is erased first
        lda OFFSET+1
        and #$0F
        bne @program
        unlock
        lda #$80
        sta FLASH1
        unlock
        lda #$30
        ldy #0
        sta (DEST),y

@program:
        lda REMAIN+1
        ora REMAIN+2
        beq @short
        lda #0                  ; a whole block
        beq @limit
@short: lda REMAIN
@limit: sta LIMIT
        ldy #0
@byte:  unlock
        lda #$A0
        sta FLASH1
        lda BLOCK,y
        sta (DEST),y
        iny
        cpy LIMIT
        bne @byte

        ; offset += 256; remain -= the bytes programmed
        inc OFFSET+1
        bne @count
        inc OFFSET+2
@count: lda LIMIT
        beq @whole
        lda #0
        sta REMAIN
        jmp next_block
@whole: lda REMAIN+1
        bne @borrow
        dec REMAIN+2
@borrow:
        dec REMAIN+1
        jmp next_block

finish: lda #0
        sta BANK
        sta WINDOW
        pla
        tay
        pla
        tax
        pla
        plp
        trap $5B
