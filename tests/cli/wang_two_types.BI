1

Dois tipos 10 x 15
10   15
2
 50      5     10     1
 25      5     5     2
