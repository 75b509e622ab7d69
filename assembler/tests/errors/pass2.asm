; Pass 2: code, fix-ups and records. Passes 0 and 1 find nothing wrong here.
k EQU 5
v = 1
EXTERN ext
sect SECTION BASEADDRESS:4000H LENGTH:1000H                ; error 2030
code SEGMENT
start: BNE far_away             ; error 2034
  DB start                      ; error 3007
  LDA <start
  DW .BANKNUM start             ; error 3007
gone: NOP
#REDEF gone
  DW gone                       ; error 2019
  DW 1000 dup(0)
far_away: RTS
PUBLIC k                        ; error 2036
PUBLIC v                        ; error 2036
PUBLIC ext                      ; error 2001
PUBLIC nowhere                  ; error 2001
code ENDSG
sect ENDSC
other SECTION BANKNUMBER:1 BASEADDRESS:0                   ; error 2029
other ENDSC
third SECTION LENGTH:1 BANKNUMBER:1                         ; error 2028
third ENDSC
