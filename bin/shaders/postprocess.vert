#version 120

// Full-window quad. The interface program declares the same inputs in the
// same order, so both programs give them the same locations.

attribute vec4 vertPos;
attribute vec2 vertUv;

varying vec2 uv;

void main() {
    uv = vertUv;
    gl_Position = vertPos;
}
