1

Exemplo 10 x 8
10   8
2
 6      3     2     2
 20      4     5     1
