# Positions inside the program's 500 x 350 window, named once for every script that clicks or looks there.
# The main screen's boxes mirror src/widgets/CardLayout.h (the layout's constants for the program and the
# plugin's editor): change both together.

# The main screen's label boxes, as ImageMagick geometries (WIDTHxHEIGHT+X+Y).
setNameBox=300x24+100+70
adviceBox=300x96+100+95
authorBox=280x24+110+200

# The main screen's buttons along the bottom (the menu, the favourite star, a new advice) and a point of
# the frame drawn in the set's colour.
menuX=40
favoriteX=408
newAdviceX=460
buttonsY=321
frameX=80
frameY=147

# The set editor: New set in its bar, the advice field (its middle, and its box as a geometry), Back.
newSetX=170
newSetY=25
adviceX=250
adviceY=168
editorAdviceBox=300x96+100+120
backX=465
backY=321
