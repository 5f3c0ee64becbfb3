// stb_image_write's implementation, in a file of its own: the PNG writer of the icons.
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#include <stb_image_write.h>
