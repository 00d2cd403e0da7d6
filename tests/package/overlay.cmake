# Copies the program IN to OUT with bytes appended after its image (an overlay, which Windows
# does not load): the same program, a different file.
get_filename_component(folder ${OUT} DIRECTORY)
file(MAKE_DIRECTORY ${folder})
file(COPY_FILE ${IN} ${OUT})
file(APPEND ${OUT} "Velmora package test: the upgrade's program")
