#version 120

// Depth from the light: positions through the light's view and projection only.

attribute vec4 vertPos;

uniform mat4 mMatrix;
uniform mat4 lpvMatrix;

void main() {
    gl_Position = lpvMatrix * mMatrix * vertPos;
}
