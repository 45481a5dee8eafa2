Rock Beat
Length:
16
Time:
4



Ch:1
Ch:2
Ch:3
Ch:4
Ch:5
Ch:6
1:0*
Kick      [ ]

ClsHiat   [ ]



2:1






3:2


ClsHiat   [4]



4:3






5:0*

Snare     [ ]
ClsHiat   [ ]



6:1






7:2


ClsHiat   [4]



8:3






9:0*
Kick      [ ]

ClsHiat   [ ]



10:1






11:2
Kick      [ ]

ClsHiat   [4]



12:3






13:0*

Snare     [ ]
ClsHiat   [ ]



14:1






15:2


ClsHiat   [4]



16:3













112
3
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
