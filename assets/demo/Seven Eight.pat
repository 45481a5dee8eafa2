Seven Eight
Length:
14
Time:
2



Ch:1
Ch:2
Ch:3
Ch:4
Ch:5
Ch:6
1:0*
Kick      [ ]

ClsHiat   [ ]
Cowbell   [ ]


2:1






3:0*


ClsHiat   [5]



4:1






5:0*

Snare     [ ]
ClsHiat   [ ]
Cowbell   [ ]


6:1






7:0*


ClsHiat   [5]



8:1






9:0*
Kick      [ ]

ClsHiat   [ ]
Cowbell   [ ]


10:1






11:0*


ClsHiat   [5]



12:1






13:0*

Snare     [ ]
ClsHiat   [5]

Clap      [ ]

14:1






15:2






120
4
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
