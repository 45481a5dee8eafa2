Funk Break
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
Cowbell   [ ]


2:1


ClsHiat   [5]



3:2
Kick      [ ]

ClsHiat   [ ]



4:3


ClsHiat   [5]



5:0*

Snare     [ ]
ClsHiat   [ ]
Cowbell   [ ]


6:1


ClsHiat   [5]



7:2


ClsHiat   [ ]



8:3
Kick      [ ]
Snare     [6]
ClsHiat   [5]



9:0*


ClsHiat   [ ]
Cowbell   [ ]


10:1

Snare     [6]
ClsHiat   [5]



11:2
Kick      [ ]

ClsHiat   [ ]



12:3


ClsHiat   [5]



13:0*

Snare     [ ]

Cowbell   [ ]


14:1






15:2

Snare     [ ]




16:3

Snare     [ ]











98
1
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
