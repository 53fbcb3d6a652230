#version 120

// Every model of the game, in the shadow pass (seen from the light) and in the
// main pass (seen from the camera). Skinned meshes blend up to four bones.
//
// Phong lighting from the single light is worked out here, at the vertices,
// and blended across each triangle; the models are cut fine enough for that,
// the floor among them. The software renderer pays for every instruction of
// the fragment program on every pixel, including pixels drawn over later, and
// for this one only at the corners.

attribute vec4 vertPos;
attribute vec3 vertNormal;
attribute vec2 vertUv;
attribute vec4 vertColor;
attribute vec4 boneWeight;
attribute vec4 boneIndex;

uniform mat4 boneMatrices[60];
uniform mat4 mMatrix;
uniform mat3 normalMatrix;
uniform mat4 pMatrix;
uniform mat4 vMatrix;
uniform mat4 smMatrix;
uniform vec3 lightPos;
uniform vec3 cameraPos;
uniform int mode;
uniform int useTexture;
uniform vec3 light_diffuse;
uniform vec3 light_specular;

// Texture coordinates for textured meshes, the vertex colour for the others.
varying vec4 surface;
// Where the point lies in the shadow map, its depth already less the margin
// against shadow acne.
varying vec4 shadowCoord;
// The light that reaches the point unless it is in shadow, and the rim light
// that it gets either way.
varying vec3 diffuseLight;
varying vec3 specularLight;
varying vec3 rimLight;

// The light's colours are dim; this brings a fully lit surface close to its own colour.
const float EXPOSURE = 3.0;

// Bone indices arrive as floats; a stray one must never read past the array.
mat4 bone(float index) {
    int i = int(clamp(floor(index + 0.5), 0.0, 59.0));
    return boneMatrices[i];
}

mat4 skinMatrix() {
    float total = boneWeight.x + boneWeight.y + boneWeight.z + boneWeight.w;
    if (total <= 0.0)
        return mat4(1.0);
    mat4 skin = boneWeight.x * bone(boneIndex.x) + boneWeight.y * bone(boneIndex.y) +
                boneWeight.z * bone(boneIndex.z) + boneWeight.w * bone(boneIndex.w);
    // Exported weights rarely add up to exactly 1; rescale so limbs keep their size.
    return skin / total;
}

void main() {
    mat4 skin = skinMatrix();
    vec4 world = mMatrix * (skin * vertPos);
    vec3 normal = normalize(normalMatrix * (mat3(skin) * vertNormal));
    vec3 toLight = normalize(lightPos - world.xyz);
    vec3 toEye = normalize(cameraPos - world.xyz);
    float facing = dot(normal, toLight);
    // A shininess of 24, as products: cheaper than pow.
    float highlight = max(dot(reflect(-toLight, normal), toEye), 0.0);
    float h2 = highlight * highlight;
    float h8 = h2 * h2 * h2 * h2;
    float specular = (facing > 0.0) ? h8 * h8 * h8 : 0.0;
    diffuseLight = max(facing, 0.0) * light_diffuse * EXPOSURE;
    specularLight = specular * 0.4 * light_specular;
    // The main pass adds a cool rim so figures stand out against the arena.
    float rim = 1.0 - max(dot(normal, toEye), 0.0);
    rimLight = (mode == 1) ? vec3(0.125, 0.15, 0.225) * (rim * rim * rim) : vec3(0.0);

    surface = (useTexture == 1) ? vec4(vertUv, 0.0, 0.0) : vertColor;
    shadowCoord = smMatrix * world;
    // Surfaces turned away from the light need a larger margin against acne.
    shadowCoord.z -= (0.0015 + 0.003 * (1.0 - clamp(facing, 0.0, 1.0))) * shadowCoord.w;
    gl_Position = pMatrix * (vMatrix * world);
}
