// paths.h -- folders of the data tree, relative to the working directory
#ifndef QB_PATHS_H
#define QB_PATHS_H

#define DATA_FOLDER "system/"
#define IMAGE_FOLDER "images/"
#define TEXT_FOLDER "text/"
#define MOUSE_FOLDER "images/mouse/"
#define FONT_FOLDER "images/fonts/"
#define BUTTON_FOLDER "images/buttons/"
#define BACKGROUND_FOLDER "images/bg/"
#define TILESET_FOLDER "images/tilesets/"
#define MANUAL_FOLDER "manual/"
#define SETTINGS_PATH "data/settings.ini"

#define VERSION_STRING "0.3.1"

#endif
