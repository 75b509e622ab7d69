; The kit's start-up object, linked into every program.
;
; reset   runs first (the image head holds its address), entered with A =
;         the window bank (register 00H) that shows the program's bank 0;
;         the register cannot be read back, so reset keeps the number. It
;         copies the init_data bytes behind bank 0's export table into the
;         fixed data area, calls the program's "main" and returns.
; farcall carries a call into another bank. The linker turns a call to a
;         procedure of another bank into a 4-byte far-call record in place of
;         "JSR proc" and the two bytes behind it:
;             JSR farcall / bank / export slot
;         so a call that may cross banks is written "JSR proc" followed by
;         two NOPs. farcall switches the window to the bank, calls the entry
;         of the bank's export table, switches back to the caller's bank
;         and returns behind the record, with the callee's A, X and Y.
;         farcall lives in init_data, so reset copies it into the fixed data
;         area, which every bank sees; it keeps its state there and patches
;         its own operands instead of using zero page.

BANK_REG    EQU 00H      ; window bank register: the 32 KB bank shown at 4000H-BFFFH
HEAD_G      EQU 4026H    ; bank 0's head: total length of "global" data
HEAD_I      EQU 4028H    ;                total length of init_data
INIT_BYTES  EQU 4200H    ; init_data bytes follow bank 0's 512-byte export table
FIXED_DATA  EQU 1AC0H    ; where the fixed data area starts
EXPORTS_HI  EQU 40H      ; high byte of a bank's export table (at 4000H)
SRC         EQU 70H      ; zero-page pointers used by reset's copy loop only
DST         EQU 72H
LEFT        EQU 74H

EXTERN main:PROC

startup SECTION BASEADDRESS:4000H LENGTH:8000H BANKNUMBER:0
code SEGMENT
reset PROC
        CLD
        STA bank_base
        LDA #0
        STA current_bank
        ; SRC = INIT_BYTES, DST = FIXED_DATA + G, LEFT = I
        LDA #<INIT_BYTES
        STA SRC
        LDA #>INIT_BYTES
        STA SRC+1
        CLC
        LDA HEAD_G
        ADC #<FIXED_DATA
        STA DST
        LDA HEAD_G+1
        ADC #>FIXED_DATA
        STA DST+1
        LDA HEAD_I
        STA LEFT
        LDA HEAD_I+1
        STA LEFT+1
        LDY #0
copy:   LDA LEFT
        ORA LEFT+1
        BEQ copied
        LDA (SRC),Y
        STA (DST),Y
        INC SRC
        BNE next_dst
        INC SRC+1
next_dst:
        INC DST
        BNE count
        INC DST+1
count:  LDA LEFT
        BNE low_only
        DEC LEFT+1
low_only:
        DEC LEFT
        JMP copy
copied: JSR main
        NOP
        NOP
        RTS
reset ENDP
code ENDSG
startup ENDSC

global SECTION BASEADDRESS:1AC0H LENGTH:2000H BANKNUMBER:0
state SEGMENT
bank_base    DB 0        ; window bank of the program's bank 0
current_bank DB 0        ; program bank shown in the window now
save_a       DB 0
save_x       DB 0
save_y       DB 0
state ENDSG

init_data SEGMENT
farcall PROC
        STA save_a
        STX save_x
        STY save_y
        ; The return address points at the record's second address byte:
        ; the bank and the export slot follow it.
        PLA
        STA ret_at+1
        PLA
        STA ret_at+2
        ; Return behind the record: RTS adds one to what is pushed.
        CLC
        LDA ret_at+1
        ADC #2
        TAX
        LDA ret_at+2
        ADC #0
        PHA
        TXA
        PHA
        LDA current_bank
        PHA
        LDX #1
ret_at: LDA 0FFFFH,X     ; operand patched above: the bank
        STA current_bank
        INX
        LDA ret_at+1
        STA slot_at+1
        LDA ret_at+2
        STA slot_at+2
slot_at: LDA 0FFFFH,X     ; operand patched above: the export slot
        ; entry address = 4000H + 2 x slot
        ASL A
        STA entry_at+1
        LDA #EXPORTS_HI
        ADC #0
        STA entry_at+2
        JSR select_bank
        LDX #1
entry_at: LDA 0FFFFH       ; operand patched above: the export entry
        STA call_vector+1
        LDA entry_at+1
        STA high_at+1
        LDA entry_at+2
        STA high_at+2
high_at: LDA 0FFFFH,X     ; its high byte
        STA call_vector+2
        LDA save_a
        LDX save_x
        LDY save_y
        JSR call_vector
        ; Back from the callee: keep its registers, restore the caller's bank.
        STA save_a
        STX save_x
        PLA
        STA current_bank
        JSR select_bank
        LDA save_a
        LDX save_x
        RTS
call_vector:
        JMP 0FFFFH       ; operand patched above (no JMP (ind): it wraps at a page end)
select_bank:
        CLC
        LDA bank_base
        ADC current_bank
        STA BANK_REG
        RTS
farcall ENDP
init_data ENDSG
global ENDSC

PUBLIC reset, farcall
