[Editor\C Files]
Keep Tabs=int:1
Keywords=str:c.ini%0A
[FrameState\Window]
Placement=bin:2C00FF
