A
Length:
0
Time:
4



Ch:1
Ch:2
Ch:3
Ch:4
Ch:5
Ch:6







120
1
