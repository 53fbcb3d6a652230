#version 120

// Head-up display pictures over the whole window. The inputs are declared
// exactly as in the post-process program: the quad looks their locations up there.

attribute vec4 vertPos;
attribute vec2 vertUv;

varying vec2 uv;

void main() {
    uv = vertUv;
    gl_Position = vertPos;
}
