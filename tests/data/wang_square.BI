1

Quadrado
10   10
1
 25      5     5     4
