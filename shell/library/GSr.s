{\rtf1\ansi\ansicpg1252\deff0\uc1
{\fonttbl{\f0\fswiss\fcharset0 Arial;}{\f1\fmodern\fcharset0 Courier New;}}
{\info{\title Quadrix}}
\pard\plain\f0\fs20
\pard\qc\plain\f0\fs32\b Abordagem Grafo E/OU \'97 Problema Restrito\par
\pard\plain\f0\fs20
\par
{\fs26\b 1. O problema}\par
\par
\qj Uma placa retangular de altura H e comprimento W deve ser cortada, apenas por cortes guilhotinados, em pe\'e7as retangulares de tipos dados. Cada tipo de pe\'e7a tem uma altura, um comprimento, um valor e uma demanda. As pe\'e7as nunca s\'e3o giradas.\par\pard
\par
\qj No problema {\i restrito} cada tipo pode ser cortado no m\'e1ximo tantas vezes quanto a sua demanda. O objetivo \'e9 o padr\'e3o de corte de maior valor total que respeita todas as demandas.\par\pard
\par
{\fs26\b 2. O m\'e9todo}\par
\par
\qj A busca \'e9 a mesma da abordagem irrestrita: um grafo E/OU em que cada ret\'e2ngulo (n\'f3 {\i OU}) escolhe entre ficar sem corte ou ser cortado em uma posi\'e7\'e3o, e cada corte (n\'f3 {\i E}) exige resolver as suas duas partes; a busca \'e9 em profundidade, limitada pela Profundidade, e um corte s\'f3 substitui o valor de um ret\'e2ngulo quando as duas partes juntas valem estritamente mais. As diferen\'e7as est\'e3o no tratamento das demandas:\par\pard
\par
\bullet  Uma {\i demanda restante} acompanha a busca: a raiz come\'e7a com as demandas do problema, e cada ret\'e2ngulo recebe o que ainda est\'e1 dispon\'edvel para ele.\par
\bullet  O preenchimento homog\'eaneo de um ret\'e2ngulo usa no m\'e1ximo a demanda restante do tipo escolhido.\par
\bullet  Cada ret\'e2ngulo guarda uma c\'f3pia de trabalho da demanda restante. As pe\'e7as da primeira parte de um corte s\'e3o descontadas dela antes de a segunda parte ser resolvida, de modo que as duas partes juntas nunca ultrapassam a demanda.\par
\bullet  O limitante que interrompe a expans\'e3o \'e9 um preenchimento guloso fracion\'e1rio: os tipos, na ordem da tabela de pe\'e7as, ocupam a \'e1rea do ret\'e2ngulo at\'e9 a sua demanda restante. Esse valor n\'e3o \'e9 um limitante superior em geral, e a ordem dos tipos no arquivo influencia a busca.\par
\bullet  Os conjuntos de discretiza\'e7\'e3o s\'f3 usam combina\'e7\'f5es que respeitam as demandas: uma pilha n\'e3o pode conter mais pe\'e7as de um tipo do que a sua demanda.\par
\par
{\fs26\b 3. Par\'e2metros}\par
\par
\qj Os par\'e2metros ficam na janela "Abordagem Grafo E/OU", com "Problema de Corte" em "Restrito" (o padr\'e3o).\par\pard
\par
\bullet  {\b Profundidade} (padr\'e3o 3): o n\'famero m\'e1ximo de n\'edveis de corte. Com 0 a placa recebe apenas o seu melhor preenchimento homog\'eaneo dentro das demandas. O tempo cresce exponencialmente: comece com 2 ou 3.\par
\bullet  {\b Conjunto de discretiza\'e7\'e3o} (padr\'e3o 100): o n\'famero m\'e1ximo de posi\'e7\'f5es em cada conjunto. Quando h\'e1 mais combina\'e7\'f5es, o conjunto \'e9 formado pelos tipos de maior dimens\'e3o naquela dire\'e7\'e3o. Se o maior tipo sozinho j\'e1 ultrapassa o limite, o c\'e1lculo termina com "Solu\'e7\'e3o n\'e3o p\'f4de ser calculada!".\par
\bullet  {\b Simetria} (padr\'e3o N\'e3o): com Sim, as posi\'e7\'f5es de corte ficam limitadas \'e0 metade do lado da placa, o que reduz os conjuntos e o tempo.\par
\bullet  {\b Heur\'edsticas} (padr\'e3o N\'e3o), com {\b Lambda 1} (padr\'e3o 0,1) e {\b Lambda 2} (padr\'e3o 0,95): com Sim, o teste 1 descarta um corte quando (1 + Lambda 1) vezes o valor atual do ret\'e2ngulo alcan\'e7a a soma dos limitantes gulosos das duas partes; se n\'e3o, o teste 2 o descarta quando Lambda 2 vezes o valor homog\'eaneo do ret\'e2ngulo (com as demandas completas) alcan\'e7a o valor homog\'eaneo da primeira parte, tamb\'e9m com as demandas completas, somado ao valor da segunda.\par
\par
\qj Valores maiores de Lambda 1 e Lambda 2 descartam mais cortes: o c\'e1lculo fica mais r\'e1pido, com risco maior de perder o melhor padr\'e3o. Escreva os valores com v\'edrgula decimal, por exemplo 0,95.\par\pard
\par
{\fs26\b 4. O relat\'f3rio}\par
\par
\qj O relat\'f3rio tem o t\'edtulo "Problema de Corte Bidimensional Restrito - Abordagem Grafo E/OU" e mostra a descri\'e7\'e3o, H e W, os tipos de pe\'e7a com altura, comprimento, quantidade e valor, os conjuntos de discretiza\'e7\'e3o (x com F(x) e y com G(y)), os par\'e2metros, o n\'famero de pe\'e7as de cada tipo no melhor padr\'e3o, a "\'c1rea \'f3tima" (o valor do melhor padr\'e3o), a "Perda" (porcentagem da placa n\'e3o coberta por pe\'e7as) e o "Tempo" da busca. O resumo e a tabela de pe\'e7as por tipo aparecem ao lado; "Salvar Resultado" grava o relat\'f3rio em um arquivo ".txt".\par\pard
\par
{\fs26\b 5. Exemplo}\par
\par
\qj Placa com H = 10 e W = 8; o tipo 1 com altura 3, comprimento 2, valor 6 e demanda 2; o tipo 2 com altura 4, comprimento 5, valor 20 e demanda 1:\par\pard
\par
{\f1\fs18 1}\par
{\f1\fs18 }\par
{\f1\fs18 Exemplo}\par
{\f1\fs18 10   8}\par
{\f1\fs18 2}\par
{\f1\fs18  6      3     2     2}\par
{\f1\fs18  20      4     5     1}\par
\par
\qj Com as demandas, os conjuntos s\'e3o X = 3, 4, 6, 7, 10 com F(x) = 2, 5, 2, 5, 5 (a altura 8 exigiria duas pe\'e7as do tipo 2, a 9 tr\'eas do tipo 1) e Y = 2, 4, 5, 7 com G(y) = 3, 3, 4, 4.\par\pard
\par
\bullet  Profundidade 0: o preenchimento homog\'eaneo dentro das demandas. O tipo 1 fica limitado a 2 pe\'e7as (valor 12), o tipo 2 a 1 pe\'e7a (valor 20). Resultado: \'c1rea \'f3tima = 20, com 1 pe\'e7a do tipo 2 e Perda = 75 %.\par
\bullet  Profundidade 1, 2 ou 3: \'c1rea \'f3tima = 32, com 2 pe\'e7as do tipo 1 e 1 pe\'e7a do tipo 2, e Perda = 60 %. Esse valor \'e9 igual ao limitante guloso da placa, 32: todas as pe\'e7as dispon\'edveis foram cortadas.\par
\par
{\fs26\b 6. Inst\'e2ncias cl\'e1ssicas}\par
\par
\qj Os problemas restritos de Christofides e Whitlock (1977) e de Beasley (1985) podem ser gravados no formato BI com o editor de arquivos de entrada e resolvidos com este m\'e9todo.\par\pard
}
