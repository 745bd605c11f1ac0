#!/usr/bin/env python3
# Generates gui/resources/icons/*.svg: one flat style, 24 x 24, 2 px rounded strokes,
# slate outline with one accent colour. Kept out of the build; the SVGs are the source.
import os, sys
S = '#2b3440'; A = '#2f7fd8'
def p(d, c=S, fill='none', w=2):
    return f'<path d="{d}" fill="{fill}" stroke="{c}" stroke-width="{w}"/>'
def a(d): return p(d, A)
def af(d): return p(d, A, A)
DOC = p('M6 3h8l4 4v14H6z') + p('M14 3v4h4')
FLOPPY = p('M5 3h11l3 3v13a2 2 0 0 1-2 2H5a2 2 0 0 1-2-2V5a2 2 0 0 1 2-2z') + p('M7 3v5h8V3')
WALL4 = p('M3 5h18v14H3z') + p('M12 5v14M3 12h18')
LIST = p('M4 5h16M4 10h16M4 15h9')
CHIP = p('M7 6h10v12H7z') + p('M4 9h3M4 15h3M17 9h3M17 15h3')
PEN = af('M14 21l1-3.5 5-5 2.5 2.5-5 5z')
MONITOR = p('M3 4h18v12H3z') + p('M12 16v4M8 20h8')
icons = {
 'new': DOC + a('M12 11v7M8.5 14.5h7'),
 'open': p('M3 7a2 2 0 0 1 2-2h4l2 2h8a2 2 0 0 1 2 2v8a2 2 0 0 1-2 2H5a2 2 0 0 1-2-2z') + a('M12 16v-6M9 12.5l3-3 3 3'),
 'save-wall': FLOPPY + a('M8 12h8v6H8zM12 12v6M8 15h8'),
 'save-wall-as': p('M4 3h9l3 3v6') + p('M4 3v14h7') + a('M6.5 10h6v5h-6zM9.5 10v5') + PEN,
 'save-sequence': FLOPPY + a('M7 13h10M7 17h6'),
 'save-sequence-as': p('M4 3h9l3 3v6') + p('M4 3v14h7') + a('M6.5 10h7M6.5 13.5h4') + PEN,
 'exit': p('M13 4H5v16h8') + a('M10 12h11M18 9l3 3-3 3'),
 'new-item': LIST + a('M18 14v7M14.5 17.5h7'),
 'add-item': p('M4 5h10M4 10h10M4 15h6') + p('M15 13h6v8h-6z') + a('M18 3v7M15.5 7.5l2.5 2.5 2.5-2.5'),
 'remove-item': LIST + a('M14.5 18.5h7'),
 'move-up': p('M4 6h9M4 12h9M4 18h9') + a('M18 20V5M15 8l3-3 3 3'),
 'move-down': p('M4 6h9M4 12h9M4 18h9') + a('M18 4v15M15 16l3 3 3-3'),
 'item-details': p('M4 5h16M4 10h10M4 15h6') + PEN,
 'play': p('M7 4.5v15l12-7.5z', A, A),
 'execute-item': p('M5 4.5v15l10-7.5z', S, A) + a('M19 5v14'),
 'loop': p('M4 12a6 6 0 0 1 6-6h9') + a('M16 3l3 3-3 3') + p('M20 12a6 6 0 0 1-6 6H5') + a('M8 21l-3-3 3-3'),
 'number-row-column': WALL4 + a('M6 8.5h3M15 8.5h3M6 15.5h3M15 15.5h3'),
 'number-sequential': WALL4 + a('M6 8.5h12l-12 7h12'),
 'memory-write': CHIP + a('M12 3v8M9.5 8.5l2.5 2.5 2.5-2.5'),
 'memory-read': CHIP + a('M12 15V7M9.5 9.5l2.5-2.5 2.5 2.5'),
 'copy-from-wall': p('M3 3h18v9H3z') + p('M12 3v9') + a('M12 14v7M9 18l3 3 3-3'),
 'copy': p('M8 8h12v12H8z') + a('M4 16V4h12'),
 'paste': p('M6 5H4v16h16V5h-2') + p('M8 3h8v4H8z') + a('M8 12h8M8 16h5'),
 'paste-special': p('M6 5H4v16h16V5h-2') + p('M8 3h8v4H8z') + a('M8 14l2.5 2.5L16 11'),
 'autoset': WALL4 + a('M1 2h4M1 2v4M23 2h-4M23 2v4M1 22h4M1 22v-4M23 22h-4M23 22v-4'),
 'global-pan': p('M4 4h16v16H4z') + a('M12 7v10M7 12h10M12 7l-2 2M12 7l2 2M12 17l-2-2M12 17l2-2M7 12l2-2M7 12l2 2M17 12l-2-2M17 12l-2 2'),
 'edit-monitors': p('M3 4h16v11H3z') + p('M11 15v3M7 19h6') + PEN,
 'show-grid': p('M3 3h18v18H3z') + p('M9 3v18M15 3v18M3 9h18M3 15h18'),
 'show-id': MONITOR + a('M9.5 7l-1 6M13.5 7l-1 6M7.5 9h7M7 11h7'),
 'change-id': p('M3 8l5-5h8v8l-5 5z', S) + af('M12 7.5a1.2 1.2 0 1 0 0.01 0z') + PEN,
 'show-sequencer': p('M3 4h18v16H3z') + p('M9 4v16', A) + a('M5 8h2M5 12h2M5 16h2'),
 'remote': p('M8 2h8a2 2 0 0 1 2 2v16a2 2 0 0 1-2 2H8a2 2 0 0 1-2-2V4a2 2 0 0 1 2-2z') + af('M12 5.5a1.5 1.5 0 1 0 0.01 0z') + a('M9.5 11h5M9.5 14.5h5M9.5 18h5'),
 'resync': p('M19 8a8 8 0 0 0-14 1') + a('M19 3v5h-5') + p('M5 16a8 8 0 0 0 14-1') + a('M5 21v-5h5'),
 'special-functions': p('M4 6h16M4 12h16M4 18h16') + af('M9 4a2 2 0 1 0 0.01 0zM15 10a2 2 0 1 0 0.01 0zM7 16a2 2 0 1 0 0.01 0z'),
 'preferences': p('M12 2.5v3M12 18.5v3M2.5 12h3M18.5 12h3M5.3 5.3l2.1 2.1M16.6 16.6l2.1 2.1M5.3 18.7l2.1-2.1M16.6 7.4l2.1-2.1') + p('M12 7a5 5 0 1 0 0.01 0z') + af('M12 10a2 2 0 1 0 0.01 0z'),
 'about': p('M12 3a9 9 0 1 0 0.01 0z') + a('M12 11v6') + af('M12 6.6a1.1 1.1 0 1 0 0.01 0z'),
 'message-log': p('M4 4h16v12H10l-5 4v-4H4z') + a('M8 8h8M8 12h5'),
 'undo': p('M5 9h10a5 5 0 0 1 0 10h-4') + a('M9 5L5 9l4 4'),
 'redo': p('M19 9H9a5 5 0 0 0 0 10h4') + a('M15 5l4 4-4 4'),
 'traffic': p('M4 8h15') + a('M15 4l4 4-4 4') + p('M20 16H5') + a('M9 12l-4 4 4 4'),
}
out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "icons")
os.makedirs(out, exist_ok=True)
for name, body in icons.items():
    with open(os.path.join(out, name + '.svg'), 'w') as f:
        f.write('<svg xmlns="http://www.w3.org/2000/svg" width="24" height="24" viewBox="0 0 24 24" '
                'stroke-linecap="round" stroke-linejoin="round">' + body + '</svg>\n')
with open(os.path.join(out, '..', 'icons.qrc'), 'w') as f:
    f.write('<!DOCTYPE RCC>\n<RCC version="1.0">\n<qresource prefix="/icons">\n')
    for name in sorted(icons):
        f.write(f'    <file alias="{name}.svg">icons/{name}.svg</file>\n')
    f.write('</qresource>\n</RCC>\n')
print(len(icons), 'icons')
