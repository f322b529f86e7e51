# Lays out the program folder beside the executable: the picture library, the save and record
# folders and the wave files. It only adds and refreshes files, never deletes, so what the
# player saved or recorded there survives every rebuild.
# Run with: cmake -DASSET_DIR=<assets> -DAPP_DIR=<program folder> -P PlaceAssets.cmake
file(MAKE_DIRECTORY ${APP_DIR}/gazou ${APP_DIR}/save ${APP_DIR}/datasave)
file(GLOB pictures ${ASSET_DIR}/gazou/*.jpg)
if(pictures)
    file(COPY ${pictures} DESTINATION ${APP_DIR}/gazou)
endif()
foreach(wave gazou.wav click.wav kansei.wav Tesselbgm.wav)
    if(EXISTS ${ASSET_DIR}/${wave})
        file(COPY ${ASSET_DIR}/${wave} DESTINATION ${APP_DIR})
    endif()
endforeach()
