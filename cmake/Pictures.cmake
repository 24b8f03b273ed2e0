# The program's pictures, drawn by the project as SVG in resources/ and rendered at build time by
# render_picture. Before including this, REVURO_RENDER_PICTURE names the tool to run and
# REVURO_RENDER_TARGET the target that makes it.

# revuro_picture(OUTPUT DRAWING SIZES [OPTION...]): renders resources/DRAWING into the file
# OUTPUT at each of SIZES ("WxH,..."); a size may name a drawing of its own ("16x16=icon-16.svg").
function(revuro_picture output drawing sizes)
    set(sources ${PROJECT_SOURCE_DIR}/resources)
    string(REGEX MATCHALL "=[^,]+" own "${sizes}")
    list(TRANSFORM own REPLACE "^=" "${sources}/")
    get_filename_component(folder ${output} DIRECTORY)
    get_filename_component(name ${output} NAME)
    add_custom_command(
        OUTPUT ${output}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
        COMMAND ${REVURO_RENDER_PICTURE} ${sources}/${drawing} ${output} ${sizes} ${ARGN}
        DEPENDS ${REVURO_RENDER_TARGET} ${sources}/${drawing} ${own}
        WORKING_DIRECTORY ${sources}
        COMMENT "Rendering ${name}")
endfunction()

# The picture the saver shows when its list shows nothing, and the program's icon: the same on
# every system.
function(revuro_first_picture output)
    revuro_picture(${output} first.svg 960x540)
endfunction()
function(revuro_program_icon output)
    revuro_picture(${output} icon.svg "16x16=icon-16.svg,32x32,48x48" --bits=8,4)
endfunction()

# The about box's banner and the pointers over its two links, into FOLDER.
function(revuro_about_pictures folder)
    revuro_picture(${folder}/banner.bmp banner.svg 300x106 --bits=32)
    revuro_picture(${folder}/mail.ico mail.svg 48x48)
    revuro_picture(${folder}/network.ico network.svg "16x16=network-16.svg,32x32,48x48")
endfunction()
