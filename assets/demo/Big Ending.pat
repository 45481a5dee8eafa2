Big Ending
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
Snare     [ ]
Crash     [ ]
Low Tom   [ ]


2:1






3:2






4:3






5:0*






6:1






7:2






8:3






9:0*






10:1






11:2






12:3






13:0*






14:1






15:2






16:3













112
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
