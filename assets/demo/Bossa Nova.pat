Bossa Nova
Length:
32
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
Rimshot   [ ]
Shaker    [ ]



2:1


Shaker    [4]



3:2


Shaker    [ ]



4:3
Kick      [ ]
Rimshot   [ ]
Shaker    [4]



5:0*
Kick      [ ]

Shaker    [ ]
PedalHiat [ ]


6:1


Shaker    [4]



7:2

Rimshot   [ ]
Shaker    [ ]



8:3
Kick      [ ]

Shaker    [4]



9:0*
Kick      [ ]

Shaker    [ ]



10:1


Shaker    [4]



11:2

Rimshot   [ ]
Shaker    [ ]



12:3
Kick      [ ]

Shaker    [4]



13:0*
Kick      [ ]

Shaker    [ ]
PedalHiat [ ]


14:1

Rimshot   [ ]
Shaker    [4]



15:2


Shaker    [ ]



16:3
Kick      [ ]

Shaker    [4]



17:0*
Kick      [ ]
Rimshot   [ ]
Shaker    [ ]



18:1


Shaker    [4]



19:2


Shaker    [ ]



20:3
Kick      [ ]
Rimshot   [ ]
Shaker    [4]



21:0*
Kick      [ ]

Shaker    [ ]
PedalHiat [ ]


22:1


Shaker    [4]



23:2


Shaker    [ ]



24:3
Kick      [ ]
Rimshot   [ ]
Shaker    [4]



25:0*
Kick      [ ]

Shaker    [ ]



26:1


Shaker    [4]



27:2

Rimshot   [ ]
Shaker    [ ]



28:3
Kick      [ ]

Shaker    [4]



29:0*
Kick      [ ]

Shaker    [ ]
PedalHiat [ ]


30:1


Shaker    [4]



31:2


Shaker    [ ]



32:3
Kick      [ ]

Shaker    [4]










128
2
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
