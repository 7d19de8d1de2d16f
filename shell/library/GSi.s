{\rtf1\ansi\ansicpg1252\deff0\uc1
{\fonttbl{\f0\fswiss\fcharset0 Arial;}{\f1\fmodern\fcharset0 Courier New;}}
{\info{\title Quadrix}}
\pard\plain\f0\fs20
\pard\qc\plain\f0\fs32\b Abordagem Grafo E/OU \'97 Problema Irrestrito\par
\pard\plain\f0\fs20
\par
{\fs26\b 1. O problema}\par
\par
\qj Uma placa retangular de altura H e comprimento W deve ser cortada em pe\'e7as retangulares de tipos dados. Cada tipo de pe\'e7a tem uma altura, um comprimento e um valor. Os cortes s\'e3o guilhotinados: cada corte atravessa o ret\'e2ngulo de um lado ao outro, paralelo a um de seus lados, e divide-o em dois ret\'e2ngulos menores. As pe\'e7as nunca s\'e3o giradas: a altura de uma pe\'e7a fica sempre ao longo da altura da placa.\par\pard
\par
\qj No problema {\i irrestrito} cada tipo de pe\'e7a pode ser cortado quantas vezes couber na placa; a demanda dos tipos n\'e3o \'e9 considerada. O objetivo \'e9 o padr\'e3o de corte de maior valor total, isto \'e9, a maior soma dos valores das pe\'e7as cortadas.\par\pard
\par
{\fs26\b 2. O m\'e9todo}\par
\par
\qj O m\'e9todo representa os modos de cortar a placa por um grafo E/OU e o percorre por uma busca em profundidade limitada.\par\pard
\par
\bullet  Cada ret\'e2ngulo \'e9 um n\'f3 {\i OU}: \'e9 preciso escolher uma \'fanica forma de resolv\'ea-lo, ou deix\'e1-lo sem corte, ou cort\'e1-lo em uma das posi\'e7\'f5es poss\'edveis.\par
\bullet  Cada corte \'e9 um n\'f3 {\i E}: os dois ret\'e2ngulos que ele produz precisam ambos ser resolvidos, e o valor do corte \'e9 a soma dos valores das duas partes.\par
\par
\qj Todo ret\'e2ngulo come\'e7a com o valor do seu melhor {\i preenchimento homog\'eaneo}: o maior valor obtido preenchendo-o com um \'fanico tipo de pe\'e7a dispostas em grade regular. Um corte s\'f3 substitui esse valor quando as duas partes juntas valem estritamente mais; em caso de empate fica o padr\'e3o encontrado primeiro.\par\pard
\par
\qj Um limitante interrompe a expans\'e3o de ret\'e2ngulos j\'e1 resolvidos: a \'e1rea do ret\'e2ngulo vezes a maior densidade (valor por unidade de \'e1rea) entre os tipos de pe\'e7a que cabem nele. Quando o preenchimento homog\'eaneo j\'e1 alcan\'e7a esse limitante, o ret\'e2ngulo n\'e3o \'e9 cortado.\par\pard
\par
\qj Os cortes s\'f3 s\'e3o feitos nas posi\'e7\'f5es dos dois {\i conjuntos de discretiza\'e7\'e3o}:\par\pard
\par
\bullet  X, ao longo da altura: as alturas que podem ser formadas empilhando pe\'e7as. Cada posi\'e7\'e3o x tem um piso F(x), o menor comprimento com que essa pilha pode ser formada; um corte na altura x s\'f3 \'e9 tentado em ret\'e2ngulos de comprimento pelo menos F(x).\par
\bullet  Y, ao longo do comprimento: as somas de comprimentos de pe\'e7as lado a lado, cada posi\'e7\'e3o y com o seu piso G(y), a menor altura necess\'e1ria.\par
\par
\qj Depois de um corte em uma posi\'e7\'e3o, as duas partes s\'f3 voltam a ser cortadas na mesma dire\'e7\'e3o em posi\'e7\'f5es iguais ou maiores; assim o mesmo padr\'e3o n\'e3o \'e9 examinado v\'e1rias vezes em ordens diferentes.\par\pard
\par
{\fs26\b 3. Par\'e2metros}\par
\par
\qj Os par\'e2metros ficam na janela "Abordagem Grafo E/OU", com "Problema de Corte" em "Irrestrito".\par\pard
\par
\bullet  {\b Profundidade} (padr\'e3o 3): o n\'famero m\'e1ximo de n\'edveis de corte da busca. Com 0 a placa recebe apenas o seu preenchimento homog\'eaneo. O tempo cresce exponencialmente com a profundidade: comece com 2 ou 3 e aumente enquanto o tempo de c\'e1lculo for aceit\'e1vel.\par
\bullet  {\b Conjunto de discretiza\'e7\'e3o} (padr\'e3o 100): o n\'famero m\'e1ximo de posi\'e7\'f5es em cada conjunto. Quando as combina\'e7\'f5es de pe\'e7as d\'e3o mais posi\'e7\'f5es, o conjunto \'e9 formado apenas pelos tipos de maior dimens\'e3o naquela dire\'e7\'e3o, tantos quantos couberem no limite. Valores maiores permitem mais cortes e solu\'e7\'f5es melhores, a um custo maior. Se o maior tipo sozinho j\'e1 ultrapassa o limite, o c\'e1lculo termina com a mensagem "Solu\'e7\'e3o n\'e3o p\'f4de ser calculada!"; aumente ent\'e3o este valor.\par
\bullet  {\b Simetria} (padr\'e3o N\'e3o): com Sim, as posi\'e7\'f5es de corte ficam limitadas \'e0 metade do lado da placa, pois um corte em x produz as mesmas duas partes que um corte em H \u8722- x. Os conjuntos ficam menores e o c\'e1lculo mais r\'e1pido.\par
\bullet  {\b Heur\'edsticas} (padr\'e3o N\'e3o), com {\b Lambda 1} (padr\'e3o 0,1) e {\b Lambda 2} (padr\'e3o 0,95): com Sim, dois testes descartam cortes pouco promissores assim que a primeira parte de um corte est\'e1 resolvida. O teste 1 descarta o corte quando (1 + Lambda 1) vezes o valor atual do ret\'e2ngulo \'e9 maior ou igual \'e0 soma dos limitantes das duas partes. Se n\'e3o, o teste 2 descarta o corte quando Lambda 2 vezes o valor homog\'eaneo do ret\'e2ngulo \'e9 maior ou igual ao valor homog\'eaneo da primeira parte somado ao valor da segunda.\par
\par
\qj Como escolher Lambda 1 e Lambda 2: quanto maiores, mais cortes s\'e3o descartados, o c\'e1lculo fica mais r\'e1pido e cresce o risco de perder o melhor padr\'e3o. Com Lambda 1 = 0 o teste 1 s\'f3 descarta cortes que n\'e3o podem melhorar o ret\'e2ngulo; com Lambda 2 = 0 o teste 2 s\'f3 descarta cortes cujas duas partes t\'eam valor homog\'eaneo 0. Os valores s\'e3o escritos com v\'edrgula decimal, por exemplo 0,1.\par\pard
\par
{\fs26\b 4. O relat\'f3rio}\par
\par
\qj Ap\'f3s "Calcular" a janela mostra o relat\'f3rio completo, um resumo e a quantidade de pe\'e7as de cada tipo no melhor padr\'e3o. O relat\'f3rio cont\'e9m:\par\pard
\par
\bullet  o t\'edtulo "Problema de Corte Bidimensional Irrestrito - Abordagem Grafo E/OU", a descri\'e7\'e3o do problema, H e W;\par
\bullet  os tipos de pe\'e7a, cada um com altura, comprimento, quantidade (demanda) e valor;\par
\bullet  os elementos dos conjuntos de discretiza\'e7\'e3o, x com F(x) e y com G(y);\par
\bullet  os par\'e2metros usados: profundidade, tamanho do conjunto de discretiza\'e7\'e3o, simetria e heur\'edsticas;\par
\bullet  o melhor padr\'e3o, como o n\'famero de pe\'e7as de cada tipo, por exemplo "12 pe\'e7as (1)";\par
\bullet  "\'c1rea \'f3tima": o valor do melhor padr\'e3o (a soma dos valores das pe\'e7as; \'e9 uma \'e1rea quando o valor de cada pe\'e7a \'e9 a sua \'e1rea);\par
\bullet  "Perda": a porcentagem da \'e1rea da placa n\'e3o coberta por pe\'e7as;\par
\bullet  "Tempo": a dura\'e7\'e3o da busca, em segundos.\par
\par
\qj "Salvar Resultado" grava o relat\'f3rio em um arquivo de texto (".txt").\par\pard
\par
{\fs26\b 5. Exemplo}\par
\par
\qj Placa com H = 10 e W = 8 e dois tipos de pe\'e7a: o tipo 1 com altura 3, comprimento 2 e valor 6; o tipo 2 com altura 4, comprimento 5 e valor 20. No formato BI (o valor vem antes da altura, do comprimento e da demanda):\par\pard
\par
{\f1\fs18 1}\par
{\f1\fs18 }\par
{\f1\fs18 Exemplo}\par
{\f1\fs18 10   8}\par
{\f1\fs18 2}\par
{\f1\fs18  6      3     2     2}\par
{\f1\fs18  20      4     5     1}\par
\par
\qj Os conjuntos de discretiza\'e7\'e3o (Conjunto de discretiza\'e7\'e3o 100, Simetria N\'e3o) s\'e3o X = 3, 4, 6, 7, 8, 9, 10 com F(x) = 2, 5, 2, 5, 5, 2, 5 e Y = 2, 4, 5, 6, 7, 8 com G(y) = 3, 3, 4, 3, 4, 3.\par\pard
\par
\bullet  Profundidade 0: s\'f3 o preenchimento homog\'eaneo da placa. O tipo 1 cabe 3 \'d7 4 = 12 vezes (valor 72), o tipo 2 cabe 2 \'d7 1 = 2 vezes (valor 40). Resultado: \'c1rea \'f3tima = 72, com 12 pe\'e7as do tipo 1 e Perda = 10 %.\par
\bullet  Profundidade 1: ainda 72; nenhum corte isolado melhora o preenchimento homog\'eaneo.\par
\bullet  Profundidade 2 ou 3: \'c1rea \'f3tima = 74, com 9 pe\'e7as do tipo 1 e 1 pe\'e7a do tipo 2, e Perda = 7,5 %. Por exemplo, um corte na altura 4: a faixa inferior de 4 \'d7 8 recebe a pe\'e7a do tipo 2 e uma pe\'e7a do tipo 1, e a faixa superior de 6 \'d7 8 recebe oito pe\'e7as do tipo 1.\par
\par
\qj Com Heur\'edsticas = Sim, Lambda 1 = 0,1 e Lambda 2 = 0,95, o resultado com profundidade 2 ou 3 continua 74, examinando menos ret\'e2ngulos.\par\pard
\par
{\fs26\b 6. Inst\'e2ncias cl\'e1ssicas}\par
\par
\qj Problemas cl\'e1ssicos da literatura, como os de Christofides e Whitlock (1977) e os de Beasley (1985), podem ser gravados no formato BI com o editor de arquivos de entrada e resolvidos com este m\'e9todo.\par\pard
}
