#version 120
#extension GL_ARB_texture_gather : enable
#extension GL_EXT_gpu_shader4 : enable

// The model's colour under the light that the vertex program worked out,
// with a soft shadow test for the models that receive shadows (the arena,
// the runes and their fountains).
//
// The software renderer runs every instruction here for every fragment,
// whatever the branches: a test on a uniform, or one that no fragment
// passes, skips nothing. So this is kept to what only a pixel can do.

uniform sampler2D texture;
uniform sampler2D shadowMap;
uniform int useTexture;
uniform int hasShadow;
uniform vec3 light_ambient;

varying vec4 surface;
varying vec4 shadowCoord;
varying vec3 diffuseLight;
varying vec3 specularLight;
varying vec3 rimLight;

const float SHADOW_MAP_SIZE = 2048.0;
const float SHADOW_TEXEL = 1.0 / SHADOW_MAP_SIZE;
const float EXPOSURE = 3.0;

// The four depths of the shadow map around a texel corner, as (0, 0),
// (1, 0), (0, 1) and (1, 1) from the given texel.
vec4 occludersAround(vec2 texel) {
#ifdef GL_ARB_texture_gather
    // One read; it returns them as (0, 1), (1, 1), (1, 0), (0, 0).
    return textureGather(shadowMap, (texel + 1.0) * SHADOW_TEXEL).wzxy;
#elif defined(GL_EXT_gpu_shader4)
    // Clamped to the edge, as the map's wrap mode would.
    ivec2 corner = ivec2(texel);
    return vec4(texelFetch2D(shadowMap, clamp(corner, 0, 2047), 0).r,
                texelFetch2D(shadowMap, clamp(corner + ivec2(1, 0), 0, 2047), 0).r,
                texelFetch2D(shadowMap, clamp(corner + ivec2(0, 1), 0, 2047), 0).r,
                texelFetch2D(shadowMap, clamp(corner + ivec2(1, 1), 0, 2047), 0).r);
#else
    // The centres of texels, where the map's filter blends nothing.
    vec2 centre = (texel + 0.5) * SHADOW_TEXEL;
    return vec4(texture2D(shadowMap, centre).r,
                texture2D(shadowMap, centre + vec2(SHADOW_TEXEL, 0.0)).r,
                texture2D(shadowMap, centre + vec2(0.0, SHADOW_TEXEL)).r,
                texture2D(shadowMap, centre + vec2(SHADOW_TEXEL)).r);
#endif
}

// The share of the four shadow-map texels around a point (in texels, from
// the centre of the first) that the light reaches at the given depth: each
// is tested, and the results are blended by where the point lies among them.
float litShare(vec2 texel, float depth) {
    vec2 blend = fract(texel);
    vec4 lit = step(vec4(depth), occludersAround(floor(texel)));
    vec2 row = mix(lit.xz, lit.yw, blend.x);
    return mix(row.x, row.y, blend.y);
}

// Fraction of the light that reaches this point, 0 (shadowed) to 1 (lit).
// Two blended shares, three quarters of a texel either side of the point,
// give a shadow's edge a smooth ramp over about three texels rather than a
// step from texel to texel. Outside the map the clamped edge reads as lit,
// and beyond the light's far plane nothing casts a shadow.
float lightVisibility() {
    vec3 coord = shadowCoord.xyz / shadowCoord.w;
    if (hasShadow != 1 || shadowCoord.w <= 0.0 || coord.z >= 1.0)
        return 1.0;
    vec2 texel = coord.xy * SHADOW_MAP_SIZE - 0.5;
    return 0.5 * (litShare(texel - 0.75, coord.z) + litShare(texel + 0.75, coord.z));
}

void main() {
    vec4 base = (useTexture == 1) ? texture2D(texture, surface.xy) : surface;
    float visibility = lightVisibility();
    vec3 lit = base.rgb * (light_ambient * EXPOSURE + visibility * diffuseLight) +
               visibility * specularLight + rimLight;
    gl_FragColor = vec4(lit, base.a);
}
