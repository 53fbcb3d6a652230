#version 120

// A picture with its own transparency. Picture rows arrive top row first
// (t = 0 at the top) while the quad has t = 1 at the top, so t is flipped here.

uniform sampler2D texture;

varying vec2 uv;

void main() {
    gl_FragColor = texture2D(texture, vec2(uv.s, 1.0 - uv.t));
}
